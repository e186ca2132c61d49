#pragma once
// Three-cushion under Korean rules (game type 3): a carom after three cushions scores, a bank shot twice;
// a team that has made its points may still owe bank-shot finishes. Fouls add to what the team must make.
#include "QuillLib/gamedata/GameRule.h"

namespace quill {

class ThreeCushionRule : public GameRule {
public:
    ThreeCushionRule() : GameRule(game_type::kThreeCushion) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 4; }
};

}  // namespace quill
