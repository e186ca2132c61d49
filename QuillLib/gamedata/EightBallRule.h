#pragma once
// 8-ball (game type 10): the first pocketed ball after the break gives the shooter its group (low 1-7 or
// high 9-15) and the others the opposite one; a team that has cleared its group plays the 8, which wins
// only as a legal shot and loses otherwise. Pocketing the 8 on the break restarts the break.
#include "QuillLib/gamedata/PocketRule.h"

namespace quill {

class EightBallRule : public PocketRule {
public:
    EightBallRule() : PocketRule(game_type::kEightBall) {}

    bool EvaluateShot(TeamState* team, int16_t result, int8_t firstBall, int8_t pocketedCount, const uint8_t* pocketed,
                      int8_t lostCount, const uint8_t* lost) override;
    void OnGameStart(TeamState** teams, int32_t count) override;
    bool IsGameOver(TeamState* team) override;
    int32_t GetStartState() const override { return 5; }
    int8_t GetStartGroup() const override { return 0; }
    void UpdateBallGroups(uint8_t teamCount, TeamState** teams, int8_t shooter, const uint8_t* offTable,
                          uint32_t pocketedCount, const int8_t* pocketed) override;

protected:
    // The variant never changes the score, and its winning 8 leaves the points to make unchanged.
    explicit EightBallRule(bool variant) : PocketRule(game_type::kEightBall), variant_(variant) {}

private:
    bool EvaluateBreak(TeamState& team, int16_t result, int8_t pocketedCount, const uint8_t* pocketed);
    bool EvaluatePocketed(TeamState& team, int16_t result, int8_t firstBall, int8_t pocketedCount,
                          const uint8_t* pocketed);
    void AddScore(TeamState& team, uint32_t points) const;
    void AssignShooterGroup(uint8_t teamCount, TeamState** teams, int8_t shooter, uint32_t pocketedCount,
                            const int8_t* pocketed);
    void CountGroupsLeft(uint8_t teamCount, TeamState** teams, const uint8_t* offTable);

    bool variant_ = false;
};

}  // namespace quill
