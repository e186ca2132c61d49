#pragma once
// The shop on a headless online App (SceneHarness): the player's money and level set, its requests kept by a
// recording sender, owned items put into the player's inventory from the connection's pool, and the server's
// answers built as the server sends them.
#include <functional>
#include <vector>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/shop/InventoryItemCard.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopItemCard.h"
#include "client/ui/Button.h"
#include "tests/support/scenes/RecordingSender.h"
#include "tests/support/scenes/SceneHarness.h"

namespace kestrovan::test {

// A message of that id as the server sends it, its payload written by fill.
inline quill::Packet ShopAnswer(quill::MessageId id, const std::function<void(quill::Packet&)>& fill) {
    quill::Packet message;
    message.Init(id);
    fill(message);
    message.Finish();
    return message;
}

class ShopScreen : public SceneHarness<SceneShop> {
protected:
    ShopScreen() {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
        auto sender = std::make_unique<RecordingSender>();
        sent = sender.get();
        scene->UseSender(std::move(sender));
        quill::PlayerState& player = Connection().LocalPlayer();
        player.money = 100000;
        player.cueMoney = 50000;
        player.level = 20;
        Connection().SetNickname(u"Carom");
    }

    GameConnection& Connection() { return *app.Connection(); }

    // An owned item added to the player; its count and its limit for counted items.
    quill::InventoryItem& Own(uint32_t key, uint32_t typeCode, uint32_t kind, uint32_t state = 0, uint32_t inUse = 0,
                              int16_t remaining = 0, int16_t limit = 0, uint32_t subKey = 0) {
        quill::InventoryItem* item = Connection().AllocItem();
        item->typeCode = typeCode;
        item->kind = kind;
        item->state = state;
        item->inUse = inUse;
        item->remaining = remaining;
        item->secondCount = limit;
        Connection().LocalPlayer().AddItem(key, subKey, item);
        return *item;
    }

    // Whether the player owns the item of that key. It reads under the player's lock, so the dispatch thread
    // may be filling the inventory meanwhile.
    bool Owns(int64_t key) const { return scene->FindOwned(key).has_value(); }
    // The table in use for a game type, read under the player's lock.
    quill::EquippedItem TableInUse(size_t gameType) {
        quill::PlayerState& player = Connection().LocalPlayer();
        quill::ScopedLock hold(player.GetLock());
        return player.equippedTable[gameType];
    }

    // The owned cell showing that key, or -1.
    int32_t OwnedCellOf(int64_t key) const {
        for (size_t n = 0; n < SceneShop::kCells; ++n)
            if (scene->OwnedCell(n)->IsVisible() && scene->OwnedCell(n)->ItemKey() == key) return static_cast<int32_t>(n);
        return -1;
    }
    // Shows the owned view and clicks the cell of that key.
    bool SelectOwned(int64_t key) {
        const quill::ScopedLock turn = MainThreadTurn();
        scene->OnEvent(scene->MyItemsTab(7) ? static_cast<Widget*>(scene->MyItemsTab(7)) : nullptr, 0, 0);
        scene->SetView(1);
        const int32_t cell = OwnedCellOf(key);
        if (cell < 0) return false;
        scene->OnEvent(scene->OwnedCell(static_cast<size_t>(cell)), 0, 0);
        return scene->SelectedOwned() == key;
    }
    // The shop cell showing that item in the all-items tab, or -1.
    int32_t ShopCellOf(uint32_t itemId) const {
        for (size_t n = 0; n < SceneShop::kCells; ++n) {
            const ShopItemCard* card = scene->ShopCell(n);
            if (card->IsVisible() && card->Row() != nullptr && card->Row()->itemId == itemId) return static_cast<int32_t>(n);
        }
        return -1;
    }
    std::vector<std::vector<uint8_t>> Sent(quill::MessageId id) const { return sent->Of(id); }

    RecordingSender* sent = nullptr;
};

}  // namespace kestrovan::test
