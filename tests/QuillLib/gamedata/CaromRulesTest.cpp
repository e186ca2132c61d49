// The carom rules judging realistic sequences of shot codes: code = 1000 x banks + 1 + cushions before the
// second object ball; negative codes are fouls.
#include <gtest/gtest.h>

#include "QuillLib/gamedata/FourBallRule.h"
#include "QuillLib/gamedata/OneCushionGambleRule.h"
#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/gamedata/SixBallGambleRule.h"
#include "QuillLib/gamedata/TeamState.h"
#include "QuillLib/gamedata/ThreeCushionGambleRule.h"
#include "QuillLib/gamedata/ThreeCushionProRule.h"
#include "QuillLib/gamedata/ThreeCushionRule.h"

namespace quill {
namespace {

// A one-player team with its target, as the game model starts it.
class RuleTeam {
public:
    RuleTeam(GameType type, uint16_t rating, int32_t remaining) {
        player.ratingByType[static_cast<size_t>(type)] = rating;
        team.Reset(1);
        team.AddMember(&player, rating, 1);
        team.remaining = remaining;
    }

    PlayerState player;
    TeamState team;
};

bool Judge(GameRule& rule, TeamState& team, int16_t code) {
    return rule.EvaluateShot(&team, code, 2, 0, nullptr, 0, nullptr);
}

TEST(FourBallRuleTest, CaromsCountDownAndFoulsPenaliseUpToTwiceTheTarget) {
    FourBallRule rule;
    rule.SetShotCount(5);
    RuleTeam t(game_type::kFourBall, 150, 30);
    t.team.ratingSum = 150;

    EXPECT_TRUE(Judge(rule, t.team, 1));
    EXPECT_EQ(t.team.remaining, 20);
    EXPECT_EQ(t.team.lastPoints, 1);
    EXPECT_FALSE(Judge(rule, t.team, 0));
    EXPECT_EQ(t.team.remaining, 20);
    EXPECT_FALSE(Judge(rule, t.team, -1));
    EXPECT_EQ(t.team.remaining, 30);

    t.team.remaining = 300;  // already at twice the target: a foul adds nothing
    EXPECT_FALSE(Judge(rule, t.team, -1));
    EXPECT_EQ(t.team.remaining, 300);
    t.team.remaining = 295;
    EXPECT_FALSE(Judge(rule, t.team, -2));
    EXPECT_EQ(t.team.remaining, 300);
}

TEST(FourBallRuleTest, WeakPlayersAreSparedOnTheBreakAndBelowFifty) {
    FourBallRule rule;
    RuleTeam weak(game_type::kFourBall, 80, 80);
    rule.SetShotCount(0);
    EXPECT_FALSE(Judge(rule, weak.team, -1));
    EXPECT_EQ(weak.team.remaining, 80);
    EXPECT_EQ(weak.team.flag, 1u);
    weak.team.flag = 0;
    EXPECT_FALSE(Judge(rule, weak.team, -3));  // a cue-ball foul on the break sets no flag
    EXPECT_EQ(weak.team.flag, 0u);

    rule.SetShotCount(4);
    EXPECT_FALSE(Judge(rule, weak.team, -1));  // rated 80: punished after the break
    EXPECT_EQ(weak.team.remaining, 90);

    RuleTeam beginner(game_type::kFourBall, 30, 30);
    EXPECT_FALSE(Judge(rule, beginner.team, -1));
    EXPECT_EQ(beginner.team.remaining, 30);
}

TEST(FourBallRuleTest, FinishingShotsThreeCushionThenBank) {
    FourBallRule rule;
    rule.SetShotCount(9);
    RuleTeam t(game_type::kFourBall, 100, 10);
    t.team.threeCushionFinishes = 1;
    t.team.bankFinishes = 1;

    EXPECT_TRUE(Judge(rule, t.team, 1));  // the last point
    EXPECT_EQ(t.team.remaining, 0);
    EXPECT_EQ(t.team.state, 4);
    EXPECT_FALSE(rule.IsGameOver(&t.team));

    EXPECT_FALSE(Judge(rule, t.team, 3));  // two cushions are not a three-cushion finish
    EXPECT_TRUE(Judge(rule, t.team, 4));
    EXPECT_EQ(t.team.threeCushionFinishes, 0);
    EXPECT_EQ(t.team.state, 1004);
    EXPECT_EQ(t.team.finishKind, 1004);

    EXPECT_FALSE(Judge(rule, t.team, 5));  // no bank cushion before the first ball
    EXPECT_TRUE(Judge(rule, t.team, 1004));
    EXPECT_EQ(t.team.lastPoints, 4);
    EXPECT_TRUE(rule.IsGameOver(&t.team));
    EXPECT_EQ(t.team.result, 1u);
}

TEST(ThreeCushionRuleTest, BankShotWorthTwoOnlyWhileTwoAreLeft) {
    ThreeCushionRule rule;
    RuleTeam t(game_type::kThreeCushion, 200, 30);
    EXPECT_FALSE(Judge(rule, t.team, 3));
    EXPECT_TRUE(Judge(rule, t.team, 1004));
    EXPECT_EQ(t.team.remaining, 10);
    EXPECT_EQ(t.team.lastPoints, 2);
    EXPECT_TRUE(Judge(rule, t.team, 1004));  // 10 left: the bank shot is worth 1
    EXPECT_EQ(t.team.lastPoints, 1);
    EXPECT_EQ(t.team.remaining, 0);
    EXPECT_EQ(t.team.state, 1004);
    EXPECT_TRUE(rule.IsGameOver(&t.team));
}

TEST(ThreeCushionRuleTest, BankFinishOwedAfterThePointsAndFoulsPenalise) {
    ThreeCushionRule rule;
    RuleTeam t(game_type::kThreeCushion, 200, 10);
    t.team.ratingSum = 200;
    t.team.bankFinishes = 1;
    EXPECT_FALSE(Judge(rule, t.team, -1));
    EXPECT_EQ(t.team.remaining, 20);
    EXPECT_TRUE(Judge(rule, t.team, 5));
    EXPECT_TRUE(Judge(rule, t.team, 4));
    EXPECT_EQ(t.team.remaining, 0);
    EXPECT_EQ(t.team.finishKind, 1004);
    EXPECT_FALSE(rule.IsGameOver(&t.team));
    EXPECT_FALSE(Judge(rule, t.team, 6));
    EXPECT_TRUE(Judge(rule, t.team, 1005));
    EXPECT_EQ(t.team.bankFinishes, 0);
    EXPECT_TRUE(rule.IsGameOver(&t.team));
}

TEST(ThreeCushionProRuleTest, OnlyThreeCushionCaromsCountAndFoulsCostNothing) {
    ThreeCushionProRule rule;
    RuleTeam t(game_type::kThreeCushionPro, 0, 20);
    EXPECT_FALSE(Judge(rule, t.team, -1));
    EXPECT_EQ(t.team.remaining, 20);
    EXPECT_TRUE(Judge(rule, t.team, 1004));
    EXPECT_EQ(t.team.remaining, 10);
    EXPECT_TRUE(Judge(rule, t.team, 4));
    EXPECT_TRUE(rule.IsGameOver(&t.team));
    EXPECT_EQ(rule.GetStartState(), 4);
}

TEST(GambleRulesTest, ScoresCountUpAndTheGameNeverEndsByPoints) {
    OneCushionGambleRule oneCushion;
    RuleTeam a(game_type::kOneCushionGamble, 0, 0);
    EXPECT_FALSE(Judge(oneCushion, a.team, 1));
    EXPECT_TRUE(Judge(oneCushion, a.team, 2));
    EXPECT_TRUE(Judge(oneCushion, a.team, 4));
    EXPECT_EQ(a.team.score, 3);
    EXPECT_EQ(a.team.lastPoints, 2);
    EXPECT_FALSE(oneCushion.IsGameOver(&a.team));

    ThreeCushionGambleRule threeCushion;
    RuleTeam b(game_type::kThreeCushionGamble, 0, 0);
    EXPECT_FALSE(Judge(threeCushion, b.team, 3));
    EXPECT_TRUE(Judge(threeCushion, b.team, 4));
    EXPECT_TRUE(Judge(threeCushion, b.team, 1004));
    EXPECT_EQ(b.team.score, 3);
    EXPECT_FALSE(threeCushion.IsGameOver(&b.team));
}

TEST(SixBallGambleRuleTest, BustsWhenAShotPassesOrStopsJustAboveTheFloor) {
    SixBallGambleRule rule;
    {
        RuleTeam t(game_type::kSixBalls, 0, 30);
        EXPECT_FALSE(Judge(rule, t.team, 9));  // 5 points with 3 left
        EXPECT_EQ(t.team.result, 2u);
    }
    {
        RuleTeam t(game_type::kSixBalls, 0, 30);
        EXPECT_TRUE(Judge(rule, t.team, 7));
        EXPECT_EQ(t.team.remaining, 0);
        EXPECT_EQ(t.team.state, 4);
        EXPECT_TRUE(rule.IsGameOver(&t.team));
        EXPECT_EQ(t.team.result, 1u);
    }
    {
        RuleTeam t(game_type::kSixBalls, 0, 30);
        EXPECT_FALSE(Judge(rule, t.team, 6));  // leaves exactly one point
        EXPECT_EQ(t.team.remaining, 10);
        EXPECT_EQ(t.team.result, 2u);
    }
    {
        RuleTeam t(game_type::kSixBalls, 0, 100);
        t.team.floor = 2;
        EXPECT_FALSE(Judge(rule, t.team, 5));
        EXPECT_TRUE(Judge(rule, t.team, 6));
        EXPECT_EQ(t.team.state, 8 - 2 + 4);
        EXPECT_TRUE(Judge(rule, t.team, 15));  // all five marked: wins at once
        EXPECT_EQ(t.team.result, 1u);
    }
    {
        RuleTeam t(game_type::kSixBalls, 0, 20);
        t.team.ratingSum = 70;
        EXPECT_FALSE(Judge(rule, t.team, -1));  // a foul puts the team back to its target
        EXPECT_EQ(t.team.remaining, 70);
        EXPECT_EQ(t.team.state, 11);
    }
}

TEST(GameRuleTest, StartGameResetsTheRackAndGivesEveryTeamItsStartState) {
    FourBallRule rule;
    rule.SetShotCount(7);
    rule.SetTargetCode(4);
    rule.SetExtraCount(3);
    TeamState a;
    TeamState b;
    TeamState* teams[] = {&a, &b};
    rule.StartGame(teams, 2);
    EXPECT_EQ(rule.GetShotCount(), 0);
    EXPECT_EQ(rule.GetTargetCode(), 1);
    EXPECT_EQ(rule.GetExtraCount(), 0u);
    EXPECT_EQ(a.state, 1);
    EXPECT_EQ(b.state, 1);
    rule.StartGame(nullptr, 3);  // no list: nothing to start, no crash
}

}  // namespace
}  // namespace quill
