#pragma once
// One-cushion gamble (game type 2): a carom with a cushion scores 1, with three cushions 2; the
// score counts up and the game never ends by points.
#include "QuillLib/gamedata/GameRule.h"

namespace quill {

class OneCushionGambleRule : public GameRule {
public:
    OneCushionGambleRule() : GameRule(game_type::kOneCushionGamble) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 2; }
};

}  // namespace quill
