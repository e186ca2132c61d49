#pragma once
// Three-cushion under international rules (game type 4): a carom after three cushions scores one point;
// nothing else counts and fouls are not punished.
#include "QuillLib/gamedata/GameRule.h"

namespace quill {

class ThreeCushionProRule : public GameRule {
public:
    ThreeCushionProRule() : GameRule(game_type::kThreeCushionPro) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 4; }
};

}  // namespace quill
