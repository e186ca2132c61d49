#pragma once
// One cue of the cue window: a toggle button with the cue's name under it (a dark shadow behind white text),
// and the cue it stands for, named by its key pair.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "client/scenes/common/ItemQuickCell.h"
#include "client/scenes/common/ItemToggleCell.h"

namespace kestrovan {

class TextLabel;

class ItemSelectCell : public ItemToggleCell {
public:
    static constexpr int32_t kWidth = 73;
    static constexpr int32_t kHeight = 178;

    explicit ItemSelectCell(int32_t controlId);

    void SetItem(const quill::InventoryItem& item);
    void Clear();
    const std::optional<ItemQuickCell::ItemKey>& Item() const { return item_; }
    TextLabel* Name() const { return name_; }

private:
    TextLabel* shadow_ = nullptr;
    TextLabel* name_ = nullptr;
    std::optional<ItemQuickCell::ItemKey> item_;
};

}  // namespace kestrovan
