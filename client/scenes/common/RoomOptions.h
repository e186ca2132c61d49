#pragma once
// The settings of a room that its master may change while in it: the option dialog keeps the room's values
// and the chosen ones in this form and compares them when the master confirms.
//
// A change is restricted when the rule option, the flags or the stake differ from the room's: the room
// refuses such a change while a game runs, whatever else was changed with it.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

// The gamble types (2, 5 and 6): played for stakes, never friendly.
bool IsGambleType(quill::GameType type);
// The types whose rooms keep a handicap range (0, 2, 3, 5 and 6).
bool HasHandicapRange(quill::GameType type);
// Whether a player with that own handicap for the type may make a half game (flag 8): four-ball and
// three-cushion from 200, 14.1 from 400.
bool HalfGameOffered(quill::GameType type, uint16_t ownHandicap);
// Whether a friendly game (flag 16 clear) may be chosen: a member's room without a stake, never a gamble.
bool FriendlyOffered(quill::GameType type, int32_t stakeRow, uint8_t membership);

struct RoomOptions {
    quill::WString title;
    quill::WString password;
    uint8_t players = 0;
    uint8_t ruleOption = 0;
    uint8_t timeLimit = 0;
    uint8_t flags = 0;
    uint8_t stakeIndex = 0;
    quill::WString master;
    uint16_t minimumHandicap = 0;
    uint16_t maximumHandicap = 0;
    uint16_t tableItem = 0;
    uint16_t ballSetItem = 0;

    struct Difference {
        bool changed = false;
        bool restricted = false;
    };
    // What chosen changes of room.
    static Difference Compare(const RoomOptions& room, const RoomOptions& chosen);
};

}  // namespace kestrovan
