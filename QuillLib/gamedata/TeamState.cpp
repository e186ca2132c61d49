#include "QuillLib/gamedata/TeamState.h"

#include <algorithm>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/PlayerState.h"

namespace quill {

bool TeamState::AddMember(PlayerState* player, uint16_t rating, uint8_t append) {
    ScopedLock hold(lock_);
    if (player == nullptr || memberCount >= kMaxMembers) {
        return false;
    }
    // Appending cannot use memberCount as the slot: a member the server placed may already sit there.
    uint32_t slotIndex = FirstFreeSlot();
    if (append == 0) {
        // The slot comes from the player's place, which the server sets: it must be a free member slot.
        if (player->place < 0 || player->place >= kMaxMembers || members[player->place] != nullptr) {
            return false;
        }
        slotIndex = static_cast<uint32_t>(player->place);
    } else if (slotIndex >= kMaxMembers) {
        return false;
    }
    player->place = static_cast<int8_t>(slotIndex);
    if (memberCount == 0) {
        draw = 0;
    }
    members[slotIndex] = player;
    ratingSum = static_cast<uint16_t>(ratingSum + rating);
    ++memberCount;
    player->team = static_cast<int8_t>(id);
    return true;
}

bool TeamState::RemoveMember(PlayerState* player, uint16_t rating) {
    ScopedLock hold(lock_);
    const auto found = std::find(members.begin(), members.end(), player);
    if (player == nullptr || found == members.end()) {
        return false;
    }
    const auto slot = static_cast<size_t>(found - members.begin());
    std::copy(found + 1, members.end(), found);
    members.back() = nullptr;
    // The members behind moved down a slot: their places follow, so later placed adds check the right slots.
    for (size_t i = slot; i < kMaxMembers; ++i) {
        if (members[i] != nullptr) {
            members[i]->place = static_cast<int8_t>(i);
        }
    }
    --memberCount;
    ratingSum = rating < ratingSum ? static_cast<uint16_t>(ratingSum - rating) : 0;
    if (player->ready != 0 && readyCount > 0 && readyCount != kReadyUnknown) {
        --readyCount;
    }
    return true;
}

void TeamState::CountReady() {
    ScopedLock hold(lock_);
    uint8_t ready = 0;
    for (const PlayerState* member : members) {
        if (member != nullptr && member->ready != 0) {
            ++ready;
        }
    }
    readyCount = ready;
}

bool TeamState::CanAppend() const {
    return memberCount < kMaxMembers && FirstFreeSlot() < kMaxMembers;
}

uint32_t TeamState::FirstFreeSlot() const {
    return static_cast<uint32_t>(std::find(members.begin(), members.end(), nullptr) - members.begin());
}

bool TeamState::HasMember(const PlayerState* player) const {
    return player != nullptr && std::find(members.begin(), members.end(), player) != members.end();
}

PlayerState* TeamState::MemberAt(uint32_t index) const {
    return index < kMaxMembers ? members[index] : nullptr;
}

void TeamState::Reset(uint8_t teamId) {
    ScopedLock hold(lock_);
    id = teamId;
    memberCount = 0;
    readyCount = kReadyUnknown;
    ratingSum = 0;
    draw = 0;
    currentMember = 0;
    remaining = 0;
    threeCushionFinishes = 0;
    threeCushionFinishesAtStart = 0;
    bankFinishes = 0;
    bankFinishesAtStart = 0;
    clearedA = 0;
    clearedB = 0;
    ballGroup = 0;
    state = kResetState;
    groupLeft = 15;
    finishKind = 0;
    result = 0;
    gameByteA = 1;
    gameWord = 1;
    gameByteB = 0;
    members.fill(nullptr);
}

void TeamState::StartGameValues() {
    groupCount = 0;
    finishKind = 0;
    ballGroup = 0;
    result = 0;
    flag = 0;
    lastPoints = 0;
    score = 0;
    clearedA = 0;
    clearedB = 0;
    gameByteA = 1;
    gameWord = 1;
    gameByteB = 0;
}

}  // namespace quill
