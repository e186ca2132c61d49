#pragma once
// What the client knows of one user: the seat and team in a room, the per-game counters, the profile with
// its ratings per game type, money and texts, and the owned items. The connection keeps one for its own
// user, a game model eight for the players of a room and a user directory one per known user. The
// connection fills the profile from server messages; the screens read it.
//
// The item list and the current selection are guarded by the record's lock, which every item operation
// takes: the connection's dispatch thread and the main thread both change the list. A pointer handed out stays
// valid only while the list keeps the item: a caller that uses it across other threads' changes holds GetLock()
// around the lookup and the use.
#include <array>
#include <cstdint>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/gamedata/InventoryItem.h"

namespace quill {

// The (key, sub-key) identity of an owned item, with the type code the profile keeps beside it.
struct EquippedItem {
    uint32_t key = 0;
    uint32_t subKey = 0;
    uint16_t typeCode = 0;
};

class PlayerState {
public:
    static constexpr uint32_t kMaxItems = 100;
    static constexpr size_t kTypes = kGameTypeCount;

    PlayerState();
    PlayerState(const PlayerState&) = delete;
    PlayerState& operator=(const PlayerState&) = delete;

    // Leaves the room seat: position -2, slot, seat, team and place -1, not ready, per-game fields 0.
    void ResetSeat();
    // Not ready and the per-game fields 0 (every seated player, when a game starts).
    void ResetGameFields();
    // Forgets the user: items, selections and profile values; status and ratings are kept.
    void ResetProfile();

    // The game type with the most games played (playCountsA + playCountsB), the lowest on ties;
    // -1 when that count is 100 or less.
    int32_t FavouriteGameType() const;
    // Status 3 or 4: the user may not chat.
    bool IsStatus3Or4() const { return status == 3 || status == 4; }
    // The most money a player of this level may own.
    int64_t GetLevelMoneyLimit() const;

    // Writes the key pair into the item and appends it; the new count. A full list (100 items) or a null
    // item stores nothing and returns the unchanged count.
    uint8_t AddItem(uint32_t key, uint32_t subKey, InventoryItem* item);
    // Takes the item with that key pair out of the list, closing the gap; null when absent.
    InventoryItem* RemoveItem(uint32_t key, uint32_t subKey);
    bool RemoveItemPtr(const InventoryItem* item);
    InventoryItem* FindItem(uint32_t key, uint32_t subKey) const;
    InventoryItem* FindItemByType(uint32_t typeCode);
    // The item stored for the equipment slot (a game type); null for slots outside 0..16.
    InventoryItem* GetEquippedItem(uint32_t slot) const;
    uint8_t ItemCount() const;
    // The item at index, or null.
    InventoryItem* ItemAt(uint32_t index) const;

    // The current cue is the selected kind-5 item (the catalogue's chalk). SelectItem makes the item with
    // that key pair current (null when absent).
    InventoryItem* SelectItem(uint32_t key, uint32_t subKey);
    // The current selection while it is still owned and of kind 5; otherwise it is forgotten.
    InventoryItem* GetCurrentCue();
    // The current selection's item type, cached after the first lookup that finds one.
    uint16_t GetCurrentCueType();
    // Selects the first usable kind-5 item: not counted out (state 3) and not a timed item still waiting
    // (state 1 without in-use); failing that, any kind-5 item that is not waiting. Null when none, and then
    // the selection stays.
    InventoryItem* ChooseDefaultCue();

    // 10 (percent of guide-line length) while a skill book (4106, 4107) is in use, else 0.
    uint32_t GetAimItemBonus();
    // Whether the masse item (4108) is in use.
    bool HasMasseItem();

    CriticalSectionLock& GetLock() const { return lock_; }

    // Room seat and per-game fields.
    int16_t position = -2;  // the place code of the user's location
    int8_t slot = -1;
    int8_t seat = -1;
    int8_t team = -1;
    int8_t place = -1;  // index among the members of its team
    uint8_t ready = 0;
    std::array<uint16_t, 5> gameCounters{};  // the second is shown as innings, the fifth as points
    uint16_t gameValue = 0;
    std::array<uint8_t, 8> gameFlags{};  // seated and dropped flags among them
    // The counters and flags by name.
    static constexpr size_t kInningsCounter = 1;
    static constexpr size_t kPointsCounter = 4;
    static constexpr size_t kSeatedFlag = 0;
    static constexpr size_t kDroppedFlag = 1;
    static constexpr size_t kBettingFlag = 2;
    // From this age a player counts as an adult, which the channels, the room settings and the stake games check.
    static constexpr uint16_t kAdultAge = 18;
    WString locationText;  // where the user is, when the location code says "elsewhere" (0)

    // Profile.
    uint16_t level = 0;
    std::array<uint32_t, kTypes> typeCounters{};
    std::array<uint32_t, kTypes> playCountsA{};
    std::array<uint32_t, kTypes> playCountsB{};
    std::array<uint16_t, kTypes> ratingByType{};  // the handicap per game type; team targets sum these
    uint8_t status = 0;
    uint32_t userId = 0;
    int64_t accountId = 0;  // the account's 64-bit user id; userId is the member id that lists key on
    std::array<uint16_t, kTypes> typeRecordA{};
    std::array<uint16_t, kTypes> typeRecordB{};
    std::array<uint16_t, kTypes> typeRecordC{};
    std::array<std::array<uint32_t, 6>, kTypes> typeStatistics{};
    std::array<uint32_t, kTypes> typeValues{};  // with the amounts, kept as the record updates bring them
    std::array<std::array<int64_t, 3>, kTypes> typeAmounts{};
    std::array<EquippedItem, kTypes> equipped{};  // per game type, the cue in use
    std::array<EquippedItem, kTypes> equippedTable{};
    std::array<EquippedItem, kTypes> equippedBallSet{};
    std::array<uint16_t, kTypes> offlineCueItem{};
    std::array<uint16_t, kTypes> offlineTableItem{};
    std::array<uint16_t, kTypes> offlineBallSetItem{};
    WString name;

    // Account.
    WString loginId;
    WString password;
    uint8_t accountKind = 0;
    WString statusText;
    uint16_t age = 0;
    int16_t grade = 0;
    uint8_t tutorialDone = 0;
    uint8_t membershipGrade = 0;
    uint8_t serviceFlag = 0;

    // Place.
    uint8_t channel = 0;
    uint16_t room = 0xFFFF;
    uint32_t sortValue = 0;
    uint16_t rankCode = 0;
    uint32_t memberValue = 0;  // the friend and clan lists' further fields, kept as received
    uint8_t memberFlag = 0;

    // Progress.
    uint32_t experience = 0;
    uint16_t skillPoints = 0;
    std::array<int32_t, 5> skills{};  // power, aim, spin right, spin left, elevation (0..100000)
    uint8_t iconIndex = 0;
    uint8_t nameShade = 0;
    int16_t markValue = 0;
    uint32_t generalAverage = 0;  // x 100
    uint8_t basicsRewardCount = 0;
    uint32_t practiceValue = 0;  // the school and practice room hold it at 100000 while open
    uint16_t defaultCueId = 0;
    std::array<uint16_t, kTypes> cueIdByType{};

    // Clan.
    uint32_t clanId = 0;
    uint8_t clanRank = 0;  // 10 and above: clan master
    WString clanName;

    // Money.
    int64_t money = 0;
    int64_t cueMoney = 0;
    int64_t extraMoney = 0;
    std::array<uint32_t, 2> goldValues{};  // kept beside the cue money by the gold update
    uint8_t dailyChargeCount = 0;
    uint16_t stickerCount = 0;

    // Texts.
    std::array<WString, 6> chatTexts;
    std::array<WString, 4> profileLines;

private:
    // Changes the selection and forgets the cached type of the previous one.
    void SetSelection(InventoryItem* item);
    bool Owns(const InventoryItem* item) const;
    void RemoveAt(uint32_t index);

    std::array<InventoryItem*, kMaxItems> items_{};
    uint8_t itemCount_ = 0;
    uint16_t currentCueType_ = 0;
    InventoryItem* currentCue_ = nullptr;
    mutable CriticalSectionLock lock_;
};

}  // namespace quill
