#pragma once
// One offer of the purchase window: a toggle card with the item's name, its level requirement for a cue,
// its price and whether it costs cash or gold.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/common/ItemToggleCell.h"

namespace kestrovan {

class TextLabel;

class PurchaseItemCard : public ItemToggleCell {
public:
    static constexpr int32_t kWidth = 103;
    static constexpr int32_t kHeight = 148;

    explicit PurchaseItemCard(int32_t controlId);

    void SetItem(const quill::ItemRecord& record);
    void Clear();
    const quill::ItemRecord* Item() const { return item_; }
    TextLabel* Level() const { return level_; }
    TextLabel* Name() const { return name_; }
    TextLabel* Price() const { return price_; }

private:
    TextLabel* level_ = nullptr;
    TextLabel* name_ = nullptr;
    TextLabel* currency_ = nullptr;
    TextLabel* price_ = nullptr;
    const quill::ItemRecord* item_ = nullptr;  // the catalogue's record, which lives as long as the program
};

}  // namespace kestrovan
