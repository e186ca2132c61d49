#pragma once
// Korean four-ball (game type 0): a carom scores one point; a team that has made its points may still owe
// three-cushion finishes and then a bank-shot finish. Fouls of weak players on the break go unpunished.
#include "QuillLib/gamedata/GameRule.h"

namespace quill {

class FourBallRule : public GameRule {
public:
    FourBallRule() : GameRule(game_type::kFourBall) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 1; }

private:
    bool ScoreCarom(TeamState& team, int16_t result);
    void JudgeFoul(TeamState& team, int16_t result);
};

}  // namespace quill
