#pragma once
// What the stroke computation needs of the local player: the five skills, the statistics of the cue in use and
// the chalk selected. The connection's player profile and inventory implement it once the connection is wired
// (the inventory's cue records carry the kind byte, remaining count and statistics); tests give fixed values.
#include <array>
#include <cstdint>

#include "QuillLib/gamedata/GameTypes.h"

namespace kestrovan {

// Skill values, each 0 to 100000.
struct StrokeSkills {
    int32_t power = 0;
    int32_t aim = 0;
    int32_t spinRight = 0;
    int32_t spinLeft = 0;
    int32_t elevation = 0;
};

// The cue the player uses in a game type.
struct EquippedCue {
    // The cue's statistics count: its kind byte is 0, or 1 with a remaining count above 0.
    bool bonusesApply = false;
    std::array<int8_t, 5> stats{};
};

class TablePlayer {
public:
    virtual ~TablePlayer() = default;
    virtual StrokeSkills GetSkills() const = 0;
    // The cue equipped for the game type; no bonuses when none is.
    virtual EquippedCue GetEquippedCue(quill::GameType gameType) const = 0;
    // The item type of the selected chalk, 0 when none is selected.
    virtual uint16_t GetCurrentChalkId() const = 0;
    // 10 (percent) while an aiming item is in use, else 0.
    virtual int32_t GetAimItemBonus() const = 0;
};

}  // namespace kestrovan
