#pragma once
// One team of a room's game: its members, its target and the progress the rules keep for it. Team 0 of a
// game model is the pool of players in no playing team; teams 1 to 6 play.
#include <array>
#include <cstdint>

#include "QuillLib/core/CriticalSectionLock.h"

namespace quill {

class PlayerState;

class TeamState {
public:
    static constexpr uint8_t kMaxMembers = 8;
    static constexpr uint8_t kNoId = 0xFF;
    static constexpr uint8_t kReadyUnknown = 255;  // readyCount after a reset, until recounted
    static constexpr int32_t kResetState = -100;

    TeamState() = default;
    TeamState(const TeamState&) = delete;
    TeamState& operator=(const TeamState&) = delete;

    // Adds a player with its rating (for the game type) to the team: with append in the first free member
    // slot (the server may have placed members anywhere), else in the slot named by the player's place. The
    // player's place becomes its slot and its team byte the team's id. Refused (false) when the team is full
    // or the slot is taken: a member is never replaced.
    bool AddMember(PlayerState* player, uint16_t rating, uint8_t append);
    // Takes the player out, moving the following members down a slot (their places follow); nothing happens
    // when it is not a member. The rating sum does not go below 0.
    bool RemoveMember(PlayerState* player, uint16_t rating);
    void CountReady();

    // Whether an appended member would be taken.
    bool CanAppend() const;
    bool HasMember(const PlayerState* player) const;
    // The member in slot index, or null.
    PlayerState* MemberAt(uint32_t index) const;

    uint8_t GetBallGroup() const { return ballGroup; }
    void SetBallGroup(uint8_t group) { ballGroup = group; }
    int32_t SetState(int32_t value) { return state = value; }

    // Clears the team for a new room (the model's Reset).
    void Reset(uint8_t teamId);
    // Clears the per-game values at the start of a game.
    void StartGameValues();

    CriticalSectionLock& GetLock() { return lock_; }

    uint8_t id = kNoId;
    uint8_t memberCount = 0;
    uint8_t readyCount = kReadyUnknown;
    uint16_t ratingSum = 0;  // the team's target in tenths of a point
    uint16_t draw = 0;       // value drawn for the shooting order
    uint8_t currentMember = 0;
    int32_t remaining = 0;  // points still to make in tenths; the score in games that count up
    uint8_t threeCushionFinishes = 0;
    uint8_t threeCushionFinishesAtStart = 0;
    uint8_t bankFinishes = 0;
    uint8_t bankFinishesAtStart = 0;
    int8_t floor = 0;  // six balls: the points that must stay
    uint8_t ballGroup = 0;
    int32_t state = kResetState;
    int32_t finishKind = 0;
    uint32_t result = 0;  // 0 playing, 1 won, 2 lost or bust
    uint32_t flag = 0;    // break flag set by the rules
    uint16_t lastPoints = 0;
    uint16_t groupCount = 0;
    uint16_t penalty = 0;
    uint16_t score = 0;
    uint8_t clearedA = 0;  // two room-screen bytes cleared at every start
    uint8_t clearedB = 0;
    int32_t groupLeft = 15;  // balls of the team's group still on the table
    uint8_t gameByteA = 1;   // three room-screen values set at every start
    uint16_t gameWord = 1;
    uint8_t gameByteB = 0;
    std::array<PlayerState*, kMaxMembers> members{};

private:
    // The first member slot without a player; kMaxMembers when every slot is taken.
    uint32_t FirstFreeSlot() const;

    CriticalSectionLock lock_;
};

}  // namespace quill
