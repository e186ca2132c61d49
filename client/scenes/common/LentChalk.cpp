#include "client/scenes/common/LentChalk.h"

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/connection/GameConnection.h"

namespace kestrovan {

quill::InventoryItem* LentChalk::Lend(quill::PlayerState& player) {
    Return(player);
    quill::InventoryItem* item = connection_.AllocItem();
    if (item == nullptr) return nullptr;
    item->typeCode = kType;
    item->kind = quill::InventoryItem::kKindChalk;
    item->state = 3;
    item->remaining = kUses;
    item->secondCount = kUses;
    item->customFlag = 0;
    item->itemClass = 0;
    item->inUse = 1;
    {
        // The free key and the count before and after in one hold of the list.
        quill::ScopedLock hold(player.GetLock());
        uint32_t subKey = kKey;
        while (player.FindItem(kKey, subKey) != nullptr) --subKey;
        const uint8_t before = player.ItemCount();
        if (player.AddItem(kKey, subKey, item) == before) {
            connection_.FreeItem(item);
            return nullptr;
        }
    }
    item_ = item;
    player.ChooseDefaultCue();
    return item;
}

void LentChalk::Return(quill::PlayerState& player) {
    if (item_ == nullptr) return;
    if (player.RemoveItemPtr(item_)) connection_.FreeItem(item_);
    item_ = nullptr;
    player.ChooseDefaultCue();
}

}  // namespace kestrovan
