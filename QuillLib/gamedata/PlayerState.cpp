#include "QuillLib/gamedata/PlayerState.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/LevelTables.h"

namespace quill {
namespace {

constexpr uint32_t kSkillBookA = 4106;
constexpr uint32_t kSkillBookB = 4107;
constexpr uint32_t kMasseItem = 4108;
constexpr uint32_t kAimBonusPercent = 10;
constexpr uint32_t kFavouriteMinimumGames = 100;

constexpr uint32_t kStateWaiting = 1;  // a timed item that has not started
constexpr uint32_t kStateCountedOut = 3;

bool IsWaiting(const InventoryItem& item) {
    return item.state == kStateWaiting && item.inUse == 0;
}

}  // namespace

PlayerState::PlayerState() {
    ResetSeat();
    ResetProfile();
}

void PlayerState::ResetSeat() {
    position = -2;
    slot = -1;
    seat = -1;
    team = -1;
    place = -1;
    ResetGameFields();
}

void PlayerState::ResetGameFields() {
    ready = 0;
    gameCounters.fill(0);
    gameValue = 0;
    gameFlags.fill(0);
}

void PlayerState::ResetProfile() {
    {
        ScopedLock hold(lock_);
        itemCount_ = 0;
        items_.fill(nullptr);
        currentCueType_ = 0;
        currentCue_ = nullptr;
    }
    typeCounters.fill(0);
    typeRecordA.fill(0);
    typeRecordB.fill(0);
    typeRecordC.fill(0);
    userId = 0;

    level = 0;
    typeStatistics = {};
    typeValues.fill(0);
    typeAmounts = {};
    accountId = 0;
    equipped = {};
    equippedTable = {};
    equippedBallSet = {};
    offlineCueItem.fill(0);
    offlineTableItem.fill(0);
    offlineBallSetItem.fill(0);
    name.clear();
    loginId.clear();
    password.clear();
    accountKind = 0;
    statusText.clear();
    age = 0;
    grade = 0;
    tutorialDone = 0;
    membershipGrade = 0;
    serviceFlag = 0;
    channel = 0;
    room = 0xFFFF;
    sortValue = 0;
    rankCode = 0;
    memberValue = 0;
    memberFlag = 0;
    experience = 0;
    skillPoints = 0;
    skills.fill(0);
    iconIndex = 0;
    nameShade = 0;
    markValue = 0;
    generalAverage = 0;
    basicsRewardCount = 0;
    practiceValue = 0;
    defaultCueId = 0;
    cueIdByType.fill(0);
    clanId = 0;
    clanRank = 0;
    clanName.clear();
    money = 0;
    cueMoney = 0;
    extraMoney = 0;
    goldValues.fill(0);
    dailyChargeCount = 0;
    stickerCount = 0;
    for (WString& text : chatTexts) {
        text.clear();
    }
    for (WString& text : profileLines) {
        text.clear();
    }
}

int32_t PlayerState::FavouriteGameType() const {
    int32_t favourite = -1;
    uint64_t most = 0;
    for (size_t type = 0; type < kTypes; ++type) {
        const uint64_t games = uint64_t{playCountsA[type]} + playCountsB[type];
        if (favourite < 0 || games > most) {
            favourite = static_cast<int32_t>(type);
            most = games;
        }
    }
    return most > kFavouriteMinimumGames ? favourite : -1;
}

int64_t PlayerState::GetLevelMoneyLimit() const {
    return GetMoneyLimitForLevel(level);
}

uint8_t PlayerState::AddItem(uint32_t key, uint32_t subKey, InventoryItem* item) {
    ScopedLock hold(lock_);
    if (item == nullptr || itemCount_ >= kMaxItems) {
        return itemCount_;
    }
    item->key = key;
    item->subKey = subKey;
    items_[itemCount_++] = item;
    return itemCount_;
}

void PlayerState::RemoveAt(uint32_t index) {
    std::copy(items_.begin() + index + 1, items_.begin() + itemCount_, items_.begin() + index);
    items_[--itemCount_] = nullptr;
}

InventoryItem* PlayerState::RemoveItem(uint32_t key, uint32_t subKey) {
    ScopedLock hold(lock_);
    for (uint32_t i = 0; i < itemCount_; ++i) {
        InventoryItem* item = items_[i];
        if (item->key == key && item->subKey == subKey) {
            RemoveAt(i);
            return item;
        }
    }
    return nullptr;
}

bool PlayerState::RemoveItemPtr(const InventoryItem* item) {
    ScopedLock hold(lock_);
    for (uint32_t i = 0; i < itemCount_; ++i) {
        if (items_[i] == item) {
            RemoveAt(i);
            return true;
        }
    }
    return false;
}

InventoryItem* PlayerState::FindItem(uint32_t key, uint32_t subKey) const {
    ScopedLock hold(lock_);
    for (uint32_t i = 0; i < itemCount_; ++i) {
        if (items_[i]->key == key && items_[i]->subKey == subKey) {
            return items_[i];
        }
    }
    return nullptr;
}

InventoryItem* PlayerState::FindItemByType(uint32_t typeCode) {
    ScopedLock hold(lock_);
    for (uint32_t i = 0; i < itemCount_; ++i) {
        if (items_[i]->typeCode == typeCode) {
            return items_[i];
        }
    }
    return nullptr;
}

InventoryItem* PlayerState::GetEquippedItem(uint32_t slot) const {
    if (slot >= kTypes) {
        return nullptr;
    }
    return FindItem(equipped[slot].key, equipped[slot].subKey);
}

uint8_t PlayerState::ItemCount() const {
    ScopedLock hold(lock_);
    return itemCount_;
}

InventoryItem* PlayerState::ItemAt(uint32_t index) const {
    ScopedLock hold(lock_);
    return index < itemCount_ ? items_[index] : nullptr;
}

bool PlayerState::Owns(const InventoryItem* item) const {
    ScopedLock hold(lock_);
    return std::find(items_.begin(), items_.begin() + itemCount_, item) != items_.begin() + itemCount_;
}

void PlayerState::SetSelection(InventoryItem* item) {
    ScopedLock hold(lock_);
    if (item != currentCue_) {
        currentCueType_ = 0;
    }
    currentCue_ = item;
}

InventoryItem* PlayerState::SelectItem(uint32_t key, uint32_t subKey) {
    ScopedLock hold(lock_);
    SetSelection(FindItem(key, subKey));
    return currentCue_;
}

InventoryItem* PlayerState::GetCurrentCue() {
    ScopedLock hold(lock_);
    if (currentCue_ != nullptr && Owns(currentCue_) && currentCue_->kind == InventoryItem::kKindChalk) {
        return currentCue_;
    }
    SetSelection(nullptr);
    return nullptr;
}

uint16_t PlayerState::GetCurrentCueType() {
    ScopedLock hold(lock_);
    if (currentCueType_ == 0) {
        if (const InventoryItem* cue = GetCurrentCue()) {
            currentCueType_ = static_cast<uint16_t>(cue->typeCode);
        }
    }
    return currentCueType_;
}

InventoryItem* PlayerState::ChooseDefaultCue() {
    ScopedLock hold(lock_);
    InventoryItem* fallback = nullptr;
    for (uint32_t i = 0; i < itemCount_; ++i) {
        InventoryItem* item = items_[i];
        if (item->kind != InventoryItem::kKindChalk) {
            continue;
        }
        if (item->state != kStateCountedOut && !IsWaiting(*item)) {
            SetSelection(item);
            return item;
        }
        if (fallback == nullptr && !IsWaiting(*item)) {
            fallback = item;
        }
    }
    if (fallback != nullptr) {
        SetSelection(fallback);
    }
    return fallback;
}

uint32_t PlayerState::GetAimItemBonus() {
    ScopedLock hold(lock_);
    for (uint32_t i = 0; i < itemCount_; ++i) {
        const InventoryItem* item = items_[i];
        if ((item->typeCode == kSkillBookA || item->typeCode == kSkillBookB) && item->inUse == 1) {
            return kAimBonusPercent;
        }
    }
    return 0;
}

bool PlayerState::HasMasseItem() {
    ScopedLock hold(lock_);
    for (uint32_t i = 0; i < itemCount_; ++i) {
        if (items_[i]->typeCode == kMasseItem && items_[i]->inUse == 1) {
            return true;
        }
    }
    return false;
}

}  // namespace quill
