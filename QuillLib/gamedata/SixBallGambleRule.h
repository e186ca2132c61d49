#pragma once
// Six balls gamble (game type 6): the shot codes 6, 7, 9 and 14 are worth 2, 3, 5 and 10 points and 15
// wins at once; a team that would go below its floor, or stop one point above it, busts. A foul puts the
// team back to its target.
#include "QuillLib/gamedata/GameRule.h"

namespace quill {

class SixBallGambleRule : public GameRule {
public:
    SixBallGambleRule() : GameRule(game_type::kSixBalls) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 6; }
};

}  // namespace quill
