#pragma once
// The local player's items in the room: the chalk slot, the item bar and the cue selection window, the
// purchase and gift window with its purchase dialog, the gold shortage window; changing cues and chalk,
// active items, what each shot consumed reported to the server, the cue's durability warnings, the table's
// option switches from owned items, and the server's answers about items. An item that runs out leaves the
// inventory only after its last report is written, and nothing keeps a pointer to it: the part holds the
// room's cue by its key pair and the bars refresh.
//
// Threads: as the screen's entries (client/app/Scene.h), under the widget-tree lock.
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "client/scenes/room/RoomPart.h"

namespace quill {
struct InventoryItem;
class Packet;
}  // namespace quill

namespace kestrovan {

class ChalkQuickSlot;
class GoldShortagePopup;
class ItemQuickBar;
class ItemSelectWindow;
class PacketRouter;
class PurchaseDialog;
class PurchaseGiftWindow;
class RoomChat;
class RoomSeats;
class Widget;

class RoomItems : private RoomPart {
public:
    RoomItems(const Context& room, RoomChat& chat, RoomSeats& seats);

    // The screen lays its widgets out in one order; these are the items' places in it.
    void BuildChalkSlot(Widget& screen);
    void BuildBars(Widget& screen);
    void BuildPurchaseDialog(Widget& screen);
    void BuildGoldShortage(Widget& screen);

    // A new room: the room's cue (the one equipped for its game), the bars and the warnings afresh.
    void Enter(uint8_t gameType);
    // The windows of an earlier visit go.
    void HideWindows();

    void UseQuickSlot(int32_t bar, int32_t kind);
    // The player confirmed the use of the timed item that waited to start.
    void ConfirmItemUse();
    void ChangeCue(const quill::InventoryItem& item);
    void SendItemUse(int32_t kind);
    void ReportConsumption();
    void CheckCueDurability();
    bool SelectChalk(const quill::InventoryItem& item);
    void UseChalk();
    // The table's option switches from the local player's items.
    void ReadOptionSwitches();
    // Whether the local player has the gold cue (item 4150) in use.
    bool HoldsGoldCueInUse();
    // Whether the local player owns what the room requires; otherwise the money window says how much.
    bool CheckSeatAfford();
    // Every counted item the room used up leaves the inventory and goes back to the connection's pool.
    void ReleaseSpentItems();
    const quill::InventoryItem* CurrentCue() const;

    // The purchase window's choice: buy or give (mode 2) the offer in the purchase dialog.
    void OpenPurchase(uint32_t mode);
    void SendPurchase();
    void ShowItemShop();

    // The routes of the server's answers about items.
    void AddRoutes(PacketRouter& routes);
    // The server's answers.
    void OnItemUseResult(quill::Packet& packet);
    void OnItemQuantity(quill::Packet& packet);
    void OnItemBuyResult(quill::Packet& packet);
    void OnItemStats(quill::Packet& packet);

    ChalkQuickSlot* ChalkSlot() const { return chalkSlot_; }
    ItemQuickBar* ItemBar() const { return itemBar_; }
    ItemSelectWindow* ItemSelect() const { return itemSelect_; }
    PurchaseGiftWindow* PurchaseGift() const { return purchaseGift_; }
    PurchaseDialog* Purchase() const { return purchase_; }

private:
    quill::InventoryItem* QuickSlotItem(int32_t kind) const;
    void ToggleActiveItem(quill::InventoryItem& item);
    void RemoveSpentItem(quill::InventoryItem* item);
    void WriteConsumption(quill::Packet& packet, bool& started, const quill::InventoryItem& item, bool wide,
                          uint32_t value);

    RoomChat& chat_;
    RoomSeats& seats_;
    std::optional<std::pair<uint32_t, uint32_t>> currentCueKey_;  // the cue for the room's game, by its key pair
    int32_t reportedChalk_ = -1;
    int32_t itemUseKind_ = 0;  // the kind of the item whose use waits for the player's OK
    std::array<bool, 3> durabilityWarned_{};  // zero, 5 %, 10 %

    // Widgets, owned by the tree.
    ChalkQuickSlot* chalkSlot_ = nullptr;
    ItemQuickBar* itemBar_ = nullptr;
    ItemSelectWindow* itemSelect_ = nullptr;
    PurchaseGiftWindow* purchaseGift_ = nullptr;
    PurchaseDialog* purchase_ = nullptr;
    GoldShortagePopup* goldShortage_ = nullptr;
};

}  // namespace kestrovan
