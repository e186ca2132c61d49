#pragma once
// One room as the lobby lists it and the room screen shows it: title, game type, options, stake and the
// chosen equipment, with the stake rules that say how much money a player needs to enter. The room
// messages fill it on the thread that handles them; it has no lock.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"

namespace quill {

class RoomInfo {
public:
    static constexpr uint8_t kHalfGameFlag = 8;
    static constexpr uint8_t kFriendlyFlag = 16;
    static constexpr const char16_t* kDefaultTitle = u"Default Room Title";

    RoomInfo() { Reset(); }

    // Back to the values of an empty room; the title stays.
    void Reset();

    // Half game (targets halved): only four-ball, three-cushion and 14.1 know it.
    bool IsHalfGame() const;
    // Friendly game (no win or loss recorded); never in the gamble games.
    bool IsFriendly() const;
    // A closed room; never in the gamble games.
    bool IsClosed() const;
    // One-cushion or three-cushion gamble.
    bool IsGambleGame() const;

    // The stake offered at a stake index of the game type (stake class 0..3 for the other games).
    static uint32_t StakeAmount(uint8_t gameType, uint8_t stakeIndex, uint32_t stakeClass);
    // The money a player must own to enter, when money is below it; else 0. single: a one-player room.
    int64_t RequiredMoney(int64_t money, uint8_t single) const;

    static constexpr uint8_t kRunning = 2;  // the state while a game runs

    uint8_t state = 0;
    int8_t status = 0;
    uint8_t gameType = 0;
    uint8_t playerCount = 0;
    uint8_t maxPlayers = 6;
    int8_t slotIndex = -1;
    uint32_t setting = 1;
    int8_t shooterSeat = -1;
    uint8_t firstCueBall = 0;  // the cue ball of the first shot
    uint8_t inningTime = 40;  // seconds per inning
    uint8_t open = 1;
    uint8_t optionFlags = 0;  // kHalfGameFlag, kFriendlyFlag
    int16_t roomNumber = -2;
    WString title = kDefaultTitle;
    WString password;
    uint8_t passwordFlag = 0;
    uint16_t minHandicap = 0;  // 0: no limit
    uint16_t maxHandicap = 0;
    uint32_t counterA = 0;
    uint32_t counterB = 0;
    uint32_t counterC = 0;
    uint32_t stake = 0;
    uint32_t startTime = 0;  // tick count at the start of the running game
    uint16_t extraWord = 0;
    uint16_t tableItem = 0;
    uint16_t ballItem = 0;
};

}  // namespace quill
