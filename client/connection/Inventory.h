#pragma once
// The local player's owned items: the pool of 500 item records, the inventory and gift messages that fill
// them into the player's profile, and the built-in entries that a membership or the metered power pack
// brings (and the fixed set of the offline mode). Every item that leaves the profile goes back to the
// pool, so the inventory can be rebuilt any number of times.
//
// The handlers run on the dispatch thread; the offline set is made on the main thread (the offline
// screen's activation). The profile's item list carries its own lock.
#include <atomic>
#include <cstdint>

#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/Packet.h"
#include "client/connection/ConnectionHost.h"
#include "client/connection/ObjectPool.h"

namespace kestrovan {

class Inventory {
public:
    static constexpr uint32_t kItemCount = 500;
    static constexpr uint32_t kItemTries = 2001;  // with a zero-length sleep between attempts

    Inventory(quill::PlayerState& player, ConnectionHost& host);
    ~Inventory();
    Inventory(const Inventory&) = delete;
    Inventory& operator=(const Inventory&) = delete;

    // A fresh item record, or null when the pool stays empty.
    quill::InventoryItem* AllocItem();
    // Returns an item to the pool (null is ignored).
    void FreeItem(quill::InventoryItem* item);

    // InventoryList: replaces the inventory with the basic cue and the listed items, then rebuilds the
    // built-in entries for the membership state.
    void OnInventoryList(quill::Packet& packet, uint8_t membershipState);
    // GiftReceived: adds the gift to the inventory, with a notice when asked for.
    void OnGiftReceived(quill::Packet& packet);

    // Re-creates the built-in entries of the membership state and of the metered power pack.
    void RebuildDefaultItems(uint8_t membershipState);
    // Replaces the inventory with the offline mode's fixed items and equips their custom cue for every
    // game type.
    void AddOfflineItems();

    // The owned power pack (4111) in use that the built-in entries were made for; null when none.
    quill::InventoryItem* SpecialItem() const { return specialItem_; }
    int32_t ItemsInUse() const { return items_.InUse(); }

private:
    // Adds a filled item under the key; an item the full profile refuses goes back to the pool.
    bool AddOrReturn(uint32_t key, uint32_t subKey, quill::InventoryItem* item);
    // A built-in entry of that type and kind under (key, 0), with a cue's statistics from its model.
    quill::InventoryItem* AddBuiltIn(uint32_t key, uint32_t typeCode, uint32_t kind);
    // Removes the entry under (key, 0) and returns it to the pool.
    void RemoveEntry(uint32_t key);
    // Removes every item and returns them to the pool.
    void Clear();
    // Kind and second value from the item catalogue; for a cue, the statistics of its model.
    void ApplyCatalogue(quill::InventoryItem& item);
    void ApplyCueStatistics(quill::InventoryItem& item);
    // Reads one InventoryList entry after its key and status into the item.
    void ReadListedItem(quill::Packet& packet, quill::InventoryItem& item);
    void ReadCustomCue(quill::Packet& packet, quill::InventoryItem& item);
    void AddMembershipItems(uint8_t membershipState);
    void AddMembershipChalk(uint32_t key, uint32_t typeCode);
    void AddMembershipCue(uint32_t key, uint32_t typeCode);
    bool OwnsStandIn(uint32_t typeCode);
    quill::InventoryItem* FindSpecialItem();
    void ShowGiftNotice(const quill::WString& sender, uint32_t amount);

    quill::PlayerState& player_;
    ConnectionHost& host_;
    ObjectPool<quill::InventoryItem> items_{kItemCount, 0};
    std::atomic<quill::InventoryItem*> specialItem_{nullptr};
};

}  // namespace kestrovan
