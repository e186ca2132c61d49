#pragma once
// Snooker (game type 16): reds and colours alternate while reds remain, then the colours in ascending
// order; the team's points count up in remaining. A foul's value goes to the team's penalty. The rule keeps
// the ball on and the phase of the break.
#include "QuillLib/gamedata/PocketRule.h"

namespace quill {

class SnookerRule : public PocketRule {
public:
    SnookerRule() : PocketRule(game_type::kSnooker) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    void OnGameStart(TeamState** teams, int32_t count) override;
    bool IsGameOver(TeamState* /*team*/) override { return gameOver_ != 0; }
    int32_t GetStartState() const override { return 5; }
    int8_t GetStartGroup() const override { return 0; }
    void UpdateBallGroups(uint8_t teamCount, TeamState** teams, int8_t shooter, const uint8_t* offTable,
                          uint32_t pocketedCount, const int8_t* pocketed) override;

    // 1 while a red is on; otherwise the number of the lowest colour on the table (21 for the black).
    uint8_t GetBallOn() const { return ballOn_; }
    bool IsRedPhase() const { return redPhase_ != 0; }
    bool IsFinalBlack() const { return finalBlack_ != 0; }

private:
    void JudgeFoul(TeamState& team, int16_t result, int8_t firstBall, int8_t pocketedCount);
    int32_t PointsOf(int8_t pocketedCount, const uint8_t* pocketed) const;
    void FindBallOn(const uint8_t* offTable);

    uint8_t finalBlack_ = 0;  // only the black is left
    uint8_t gameOver_ = 0;
    uint8_t redPhase_ = 1;  // 1: the next ball on is a red; 0: a colour after a potted red
    uint8_t ballOn_ = 1;
};

}  // namespace quill
