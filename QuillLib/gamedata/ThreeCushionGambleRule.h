#pragma once
// Three-cushion gamble (game type 5): a three-cushion carom scores 1, a bank shot 2; the score counts up
// and the game never ends by points.
#include "QuillLib/gamedata/GameRule.h"

namespace quill {

class ThreeCushionGambleRule : public GameRule {
public:
    ThreeCushionGambleRule() : GameRule(game_type::kThreeCushionGamble) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 4; }
};

}  // namespace quill
