#pragma once
// One cell of the shop's owned-items grid: the toggle card with the item's live preview (a personal cue with
// its own parts), its name, a mark for engraved and special grades, and its state ("개인큐", "사용중",
// "미사용"). Events reach the shop screen as the card's own, as ShopItemCard's do.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <optional>

#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemRecord.h"
#include "client/scenes/shop/ShopCardFrame.h"

namespace kestrovan {

class Image;
class TextLabel;

class InventoryItemCard : public ShopCardFrame {
public:
    InventoryItemCard(int32_t controlId, int32_t x, int32_t y);

    // Shows the card for the item (copied) of that record; owned null shows the record alone.
    void SetItem(const quill::ItemRecord& record, const quill::InventoryItem* owned);
    void Clear();

    // The key of the item shown, when one is.
    std::optional<int64_t> ItemKey() const { return key_; }
    TextLabel* NameLabel() const { return name_; }
    TextLabel* StatusLabel() const { return status_; }
    Image* Mark() const { return mark_; }

private:
    std::optional<int64_t> key_;
    TextLabel* name_ = nullptr;
    Image* mark_ = nullptr;
    TextLabel* status_ = nullptr;
};

}  // namespace kestrovan
