// The pocket rules judging shots as the referee reports them: the result code (5 a legal pocket shot,
// negative a foul), the first ball hit, the pocketed balls and the balls that left the table.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "QuillLib/gamedata/EightBallAltRule.h"
#include "QuillLib/gamedata/EightBallRule.h"
#include "QuillLib/gamedata/NineBallRule.h"
#include "QuillLib/gamedata/SnookerRule.h"
#include "QuillLib/gamedata/StraightPoolRule.h"
#include "QuillLib/gamedata/TeamState.h"

namespace quill {
namespace {

struct Shot {
    int16_t result;
    int8_t firstBall;
    std::vector<uint8_t> pocketed;
    std::vector<uint8_t> lost;
};

bool JudgeShot(GameRule& rule, TeamState& team, const Shot& shot) {
    return rule.EvaluateShot(&team, shot.result, shot.firstBall, static_cast<int8_t>(shot.pocketed.size()),
                             shot.pocketed.data(), static_cast<int8_t>(shot.lost.size()), shot.lost.data());
}

// Two teams at the start of a game of the rule, and the table's off-table flags.
template <typename Rule>
class TwoTeamGame : public ::testing::Test {
protected:
    void SetUp() override {
        a.Reset(1);
        b.Reset(2);
        rule.StartGame(teams.data(), 2);
    }

    void TakeOff(uint8_t first, uint8_t last) {
        for (uint8_t ball = first; ball <= last; ++ball) {
            offTable[ball] = 1;
        }
    }

    void UpdateGroups(int8_t shooter, std::vector<int8_t> pocketed = {}) {
        rule.UpdateBallGroups(2, teams.data(), shooter, offTable.data(), static_cast<uint32_t>(pocketed.size()),
                              pocketed.data());
    }

    Rule rule;
    TeamState a;
    TeamState b;
    std::array<TeamState*, 2> teams{&a, &b};
    std::array<uint8_t, 22> offTable{};
};

using EightBallGame = TwoTeamGame<EightBallRule>;
using SnookerFrame = TwoTeamGame<SnookerRule>;

TEST_F(EightBallGame, BreakScoresPocketedBallsAndTheEightRestartsTheBreak) {
    EXPECT_EQ(a.groupLeft, 7);
    EXPECT_TRUE(JudgeShot(rule, a, {5, 1, {3, 12}, {}}));
    EXPECT_EQ(a.score, 2);
    EXPECT_EQ(a.lastPoints, 2);
    EXPECT_FALSE(JudgeShot(rule, a, {-4, 1, {3}, {}}));
    EXPECT_FALSE(JudgeShot(rule, a, {5, 1, {}, {}}));

    rule.SetShotCount(1);
    EXPECT_FALSE(JudgeShot(rule, a, {5, 1, {8, 2}, {}}));
    EXPECT_EQ(a.flag, 3u);
    EXPECT_EQ(a.result, 0u);  // not a loss
    EXPECT_EQ(rule.GetShotCount(), 0);
}

TEST_F(EightBallGame, FirstPocketedBallGivesTheGroupsAndClearingThemMovesToTheEight) {
    rule.SetShotCount(2);
    UpdateGroups(0);
    EXPECT_EQ(a.ballGroup, 0);
    EXPECT_EQ(a.groupLeft, 7);

    TakeOff(11, 11);
    EXPECT_TRUE(JudgeShot(rule, a, {5, 11, {11}, {}}));  // an open table keeps the table
    UpdateGroups(0, {11});
    EXPECT_EQ(a.ballGroup, ball_group::kHigh);
    EXPECT_EQ(b.ballGroup, ball_group::kLow);
    EXPECT_TRUE(rule.GroupsChanged());
    EXPECT_EQ(a.groupLeft, 6);
    EXPECT_EQ(b.groupLeft, 7);

    TakeOff(9, 15);
    UpdateGroups(0, {9});
    EXPECT_EQ(a.groupLeft, 0);
    EXPECT_EQ(a.ballGroup, ball_group::kEight);
    EXPECT_TRUE(rule.GroupsChanged());
}

TEST_F(EightBallGame, WrongFirstBallOrNothingOfTheGroupLosesTheTable) {
    rule.SetShotCount(4);
    a.ballGroup = ball_group::kLow;
    EXPECT_FALSE(JudgeShot(rule, a, {5, 10, {3}, {}}));  // hit a high ball first
    EXPECT_EQ(a.groupCount, 1);
    EXPECT_FALSE(JudgeShot(rule, a, {5, 2, {12}, {}}));  // pocketed only the opponent's ball
    EXPECT_TRUE(JudgeShot(rule, a, {5, 2, {2, 12}, {}}));
    EXPECT_EQ(a.lastPoints, 1);
    EXPECT_EQ(a.score, 2);                           // counted before the group check
    EXPECT_FALSE(JudgeShot(rule, a, {-3, 2, {4}, {}}));  // a foul scores nothing
    EXPECT_EQ(a.score, 2);
    EXPECT_EQ(a.groupCount, 3);
}

TEST_F(EightBallGame, CalledEightWinsOnlyLegallyAfterTheGroup) {
    rule.SetShotCount(10);
    a.ballGroup = ball_group::kEight;
    a.groupLeft = 1;
    EXPECT_FALSE(JudgeShot(rule, a, {5, 8, {8}, {}}));  // a group ball was still on the table
    EXPECT_EQ(a.result, 2u);
    EXPECT_TRUE(rule.IsGameOver(&a));

    a.result = 0;
    a.groupLeft = 0;
    EXPECT_FALSE(JudgeShot(rule, a, {-1, 8, {8}, {}}));  // the 8 with a foul loses
    EXPECT_EQ(a.result, 2u);

    a.result = 0;
    EXPECT_TRUE(JudgeShot(rule, a, {5, 8, {8}, {}}));
    EXPECT_EQ(a.result, 1u);
    EXPECT_EQ(a.remaining, 1);
    EXPECT_EQ(a.score, 2);

    EXPECT_FALSE(JudgeShot(rule, b, {5, 3, {3}, {8}}));  // the 8 off the table loses at any time
    EXPECT_EQ(b.result, 2u);
}

TEST(EightBallAltRuleTest, SameJudgementWithoutScore) {
    EightBallAltRule rule;
    TeamState team;
    team.Reset(1);
    EXPECT_TRUE(JudgeShot(rule, team, {5, 1, {3, 12}, {}}));
    EXPECT_EQ(team.score, 0);
    EXPECT_EQ(team.lastPoints, 2);
    rule.SetShotCount(5);
    team.ballGroup = ball_group::kEight;
    team.groupLeft = 0;
    team.remaining = 40;
    EXPECT_TRUE(JudgeShot(rule, team, {5, 8, {8}, {}}));
    EXPECT_EQ(team.result, 1u);
    EXPECT_EQ(team.remaining, 40);
    EXPECT_EQ(team.score, 0);
}

TEST(NineBallRuleTest, PocketingKeepsTheTableAndALegalNineWinsEndingTheTurn) {
    NineBallRule rule;
    TeamState team;
    team.Reset(1);
    EXPECT_FALSE(JudgeShot(rule, team, {5, 1, {}, {}}));
    EXPECT_TRUE(JudgeShot(rule, team, {5, 1, {2, 3}, {}}));
    EXPECT_EQ(team.score, 2);
    EXPECT_FALSE(JudgeShot(rule, team, {-1, 4, {9}, {}}));  // a 9 with a foul does not win
    EXPECT_FALSE(rule.IsGameOver(&team));

    EXPECT_FALSE(JudgeShot(rule, team, {5, 1, {9}, {}}));  // the winning shot reports false
    EXPECT_EQ(team.result, 1u);
    EXPECT_EQ(team.score, 5);
    EXPECT_TRUE(rule.IsGameOver(&team));
}

TEST(StraightPoolRuleTest, EveryPocketedBallScoresAndFoulsPenalise) {
    StraightPoolRule rule;
    TeamState team;
    team.Reset(1);
    team.ratingSum = 50;
    team.remaining = 30;
    EXPECT_TRUE(JudgeShot(rule, team, {5, 4, {4, 6}, {}}));
    EXPECT_EQ(team.remaining, 10);
    EXPECT_EQ(team.lastPoints, 2);
    EXPECT_FALSE(JudgeShot(rule, team, {0, 4, {}, {}}));
    EXPECT_FALSE(JudgeShot(rule, team, {-1, 4, {}, {}}));
    EXPECT_EQ(team.remaining, 20);
    EXPECT_TRUE(JudgeShot(rule, team, {5, 4, {4, 6, 7}, {}}));
    EXPECT_TRUE(rule.IsGameOver(&team));
}

TEST_F(SnookerFrame, RedThenColourAlternateAndTheGroupsFollow) {
    EXPECT_TRUE(rule.IsRedPhase());
    EXPECT_TRUE(JudgeShot(rule, a, {5, 3, {3}, {}}));  // a red: one point, then a colour is on
    EXPECT_EQ(a.remaining, 1);
    EXPECT_FALSE(rule.IsRedPhase());
    TakeOff(3, 3);
    UpdateGroups(0);
    EXPECT_EQ(rule.GetBallOn(), 1);
    EXPECT_EQ(a.ballGroup, ball_group::kColour);
    EXPECT_EQ(b.ballGroup, ball_group::kRed);

    EXPECT_TRUE(JudgeShot(rule, a, {5, 21, {21}, {}}));  // the black after a red: 7
    EXPECT_EQ(a.remaining, 8);
    EXPECT_TRUE(rule.IsRedPhase());
    EXPECT_FALSE(JudgeShot(rule, a, {0, 5, {}, {}}));
}

TEST_F(SnookerFrame, FoulPenaltyIsTheValueOfTheBallHitFirstAtLeastFour) {
    a.ratingSum = 100;
    EXPECT_FALSE(JudgeShot(rule, a, {-1, 20, {}, {}}));
    EXPECT_EQ(a.penalty, 6);  // the pink
    EXPECT_FALSE(JudgeShot(rule, a, {-1, 7, {}, {}}));
    EXPECT_EQ(a.penalty, 4);  // a red
    EXPECT_FALSE(JudgeShot(rule, a, {-2, 17, {}, {}}));
    EXPECT_EQ(a.penalty, 4);  // the green is worth less than the minimum
    EXPECT_FALSE(JudgeShot(rule, a, {-5, 1, std::vector<uint8_t>(7, 21), {}}));
    EXPECT_EQ(a.penalty, 7);     // lower codes carry their penalty in the pocketed count
    EXPECT_EQ(a.remaining, 40);  // each foul also adds a point to the fouler's count
}

TEST_F(SnookerFrame, ColoursInOrderThenTheFinalBlackEndsTheFrame) {
    TakeOff(1, 15);
    UpdateGroups(0);
    EXPECT_EQ(rule.GetBallOn(), 16);
    EXPECT_EQ(a.ballGroup, ball_group::kAny);
    TakeOff(16, 20);
    UpdateGroups(0);
    EXPECT_TRUE(rule.IsFinalBlack());
    EXPECT_EQ(rule.GetBallOn(), 21);
    EXPECT_FALSE(rule.IsGameOver(&a));
    EXPECT_TRUE(JudgeShot(rule, a, {5, 21, {21}, {}}));
    EXPECT_TRUE(rule.IsGameOver(&a));

    // The rule object serves the next frame from the start.
    rule.StartGame(teams.data(), 2);
    EXPECT_FALSE(rule.IsGameOver(&a));
    EXPECT_TRUE(rule.IsRedPhase());
    EXPECT_EQ(rule.GetBallOn(), 1);
}

}  // namespace
}  // namespace quill
