// The carom rules judging realistic sequences of shot codes: code = 1000 x banks + 1 + cushions before the
// second object ball; negative codes are fouls.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

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

using Kept = std::vector<bool>;

// A one-player team as the game model starts it: the player's rating is the team's target.
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

// Judges the shot codes in turn; for each, whether the team kept the table.
Kept Keeps(GameRule& rule, TeamState& team, std::initializer_list<int16_t> codes) {
    Kept kept;
    for (int16_t code : codes) {
        kept.push_back(Judge(rule, team, code));
    }
    return kept;
}

TEST(FourBallRuleTest, CaromsCountDownAndFoulsPenaliseUpToTwiceTheTarget) {
    FourBallRule rule;
    rule.SetShotCount(5);
    RuleTeam t(game_type::kFourBall, 150, 30);
    EXPECT_TRUE(Judge(rule, t.team, 1));
    EXPECT_EQ(t.team.remaining, 20);
    EXPECT_EQ(t.team.lastPoints, 1);
    EXPECT_EQ(Keeps(rule, t.team, {0, -1}), (Kept{false, false}));
    EXPECT_EQ(t.team.remaining, 30);

    t.team.remaining = 295;
    EXPECT_FALSE(Judge(rule, t.team, -2));
    EXPECT_EQ(t.team.remaining, 300);  // twice the target at most
    EXPECT_FALSE(Judge(rule, t.team, -1));
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

    EXPECT_EQ(Keeps(rule, t.team, {3, 4}), (Kept{false, true}));  // two cushions are not a three-cushion finish
    EXPECT_EQ(t.team.state, 1004);
    EXPECT_EQ(t.team.finishKind, 1004);

    EXPECT_EQ(Keeps(rule, t.team, {5, 1004}), (Kept{false, true}));  // then a bank cushion before the first ball
    EXPECT_EQ(t.team.lastPoints, 4);
    EXPECT_TRUE(rule.IsGameOver(&t.team));
    EXPECT_EQ(t.team.result, 1u);
}

TEST(ThreeCushionRuleTest, BankShotWorthTwoOnlyWhileTwoAreLeft) {
    ThreeCushionRule rule;
    RuleTeam t(game_type::kThreeCushion, 200, 30);
    EXPECT_EQ(Keeps(rule, t.team, {3, 1004}), (Kept{false, true}));
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
    t.team.bankFinishes = 1;
    EXPECT_FALSE(Judge(rule, t.team, -1));
    EXPECT_EQ(t.team.remaining, 20);
    EXPECT_EQ(Keeps(rule, t.team, {5, 4}), (Kept{true, true}));
    EXPECT_EQ(t.team.finishKind, 1004);
    EXPECT_FALSE(rule.IsGameOver(&t.team));
    EXPECT_EQ(Keeps(rule, t.team, {6, 1005}), (Kept{false, true}));
    EXPECT_TRUE(rule.IsGameOver(&t.team));
}

TEST(ThreeCushionProRuleTest, OnlyThreeCushionCaromsCountAndFoulsCostNothing) {
    ThreeCushionProRule rule;
    RuleTeam t(game_type::kThreeCushionPro, 0, 20);
    EXPECT_EQ(Keeps(rule, t.team, {-1, 3, 1004}), (Kept{false, false, true}));
    EXPECT_EQ(t.team.remaining, 10);
    EXPECT_TRUE(Judge(rule, t.team, 4));
    EXPECT_TRUE(rule.IsGameOver(&t.team));
}

TEST(GambleRulesTest, ScoresCountUpAndTheGameNeverEndsByPoints) {
    OneCushionGambleRule oneCushion;
    RuleTeam a(game_type::kOneCushionGamble, 0, 0);
    EXPECT_EQ(Keeps(oneCushion, a.team, {1, 2, 4}), (Kept{false, true, true}));
    EXPECT_EQ(a.team.score, 3);
    EXPECT_EQ(a.team.lastPoints, 2);
    EXPECT_FALSE(oneCushion.IsGameOver(&a.team));

    ThreeCushionGambleRule threeCushion;
    RuleTeam b(game_type::kThreeCushionGamble, 0, 0);
    EXPECT_EQ(Keeps(threeCushion, b.team, {3, 4, 1004}), (Kept{false, true, true}));
    EXPECT_EQ(b.team.score, 3);
    EXPECT_FALSE(threeCushion.IsGameOver(&b.team));
}

TEST(SixBallGambleRuleTest, BustsWhenAShotPassesOrStopsJustAboveTheFloor) {
    SixBallGambleRule rule;
    const struct {
        int16_t code;
        bool keeps;
        int32_t remaining;
        uint32_t result;
    } fromThree[] = {
        {9, false, 30, 2},  // 5 points with 3 left: bust
        {6, false, 10, 2},  // leaves exactly one point: bust
        {7, true, 0, 1},    // down to the floor: won
    };
    for (const auto& shot : fromThree) {
        RuleTeam t(game_type::kSixBalls, 0, 30);
        EXPECT_EQ(Judge(rule, t.team, shot.code), shot.keeps) << shot.code;
        EXPECT_EQ(t.team.remaining, shot.remaining);
        EXPECT_TRUE(rule.IsGameOver(&t.team));
        EXPECT_EQ(t.team.result, shot.result);
    }

    RuleTeam t(game_type::kSixBalls, 0, 100);
    t.team.floor = 2;
    EXPECT_EQ(Keeps(rule, t.team, {5, 6}), (Kept{false, true}));
    EXPECT_EQ(t.team.state, 8 - 2 + 4);
    EXPECT_FALSE(rule.IsGameOver(&t.team));
    EXPECT_TRUE(Judge(rule, t.team, 15));  // all five marked: wins at once
    EXPECT_EQ(t.team.result, 1u);

    t.team.result = 0;
    t.team.ratingSum = 70;
    EXPECT_FALSE(Judge(rule, t.team, -1));  // a foul puts the team back to its target
    EXPECT_EQ(t.team.remaining, 70);
    EXPECT_EQ(t.team.state, 7 - 2 + 4);
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
