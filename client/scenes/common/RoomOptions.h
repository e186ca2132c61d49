#pragma once
// The settings of a room that its master may change while in it: the option dialog keeps the room's values
// and the chosen ones in this form and compares them when the master confirms.
//
// A change is restricted when the rule option, the flags or the stake differ from the room's: the room
// refuses such a change while a game runs, whatever else was changed with it.
//
// Threads: any (pure).
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

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
