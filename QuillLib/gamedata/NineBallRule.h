#pragma once
// 9-ball (game type 12): a shot that pockets a ball keeps the table; the 9 pocketed by a legal shot wins
// the game (the winning shot itself reports that the table is lost, which ends the turn with the game).
#include "QuillLib/gamedata/PocketRule.h"

namespace quill {

class NineBallRule : public PocketRule {
public:
    NineBallRule() : PocketRule(game_type::kNineBall) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 5; }
    int8_t GetStartGroup() const override { return 5; }
};

}  // namespace quill
