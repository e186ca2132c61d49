#pragma once
// 14.1 continuous (game type 13): every legally pocketed ball scores one point towards the target; a foul
// adds a point to what the team must make.
#include "QuillLib/gamedata/PocketRule.h"

namespace quill {

class StraightPoolRule : public PocketRule {
public:
    StraightPoolRule() : PocketRule(game_type::kStraightPool) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 5; }
    int8_t GetStartGroup() const override { return 0; }
};

}  // namespace quill
