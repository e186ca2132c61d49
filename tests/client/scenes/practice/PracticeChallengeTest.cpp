// The practice room's rules alone: the challenge's levels (the player level each needs, targets and rewards
// per game type), success and points of a shot per game type, the innings of a running challenge with the
// three-cushion first-shot rule in every inning, one end at the twentieth failed inning, the membership's
// gold charge, and the text list's 200 lines with its view of the last eight counted from 1.
#include <gtest/gtest.h>

#include "client/scenes/practice/PracticeChallenge.h"
#include "client/scenes/practice/PracticeTextList.h"

namespace kestrovan::test {
namespace {

TEST(PracticeChallengeTest, LevelsGateByPlayerLevelAndCarryTheTypesTargetsAndRewards) {
    EXPECT_TRUE(PracticeChallenge::LevelAllowed(1, 0));
    EXPECT_FALSE(PracticeChallenge::LevelAllowed(3, 9)) << "level 3 needs player level 10";
    EXPECT_TRUE(PracticeChallenge::LevelAllowed(3, 10));
    EXPECT_FALSE(PracticeChallenge::LevelAllowed(5, 19));
    EXPECT_TRUE(PracticeChallenge::LevelAllowed(5, 20));

    for (quill::GameType type : {6, 10, 12, 16, 1, -1}) {
        EXPECT_FALSE(PracticeChallenge::HasChallenge(type)) << type;
        EXPECT_EQ(PracticeChallenge::LevelFor(1, type).target, 0) << type;
    }
    struct Row {
        quill::GameType type;
        int32_t first;
        int32_t fifth;
    };
    for (const Row& row : {Row{0, 10, 50}, Row{2, 6, 30}, Row{3, 4, 20}, Row{5, 4, 20}, Row{4, 3, 15}, Row{13, 20, 100}}) {
        EXPECT_TRUE(PracticeChallenge::HasChallenge(row.type));
        EXPECT_EQ(PracticeChallenge::LevelFor(1, row.type).target, row.first) << row.type;
        EXPECT_EQ(PracticeChallenge::LevelFor(5, row.type).target, row.fifth) << row.type;
    }
    const PracticeChallenge::Level third = PracticeChallenge::LevelFor(3, 0);
    EXPECT_EQ(third.requiredPlayerLevel, 10);
    EXPECT_EQ(third.reward, 3000u);
    EXPECT_EQ(third.extra, 300);
    EXPECT_EQ(PracticeChallenge::LevelFor(3, 13).extra, 0);
    EXPECT_EQ(PracticeChallenge::LevelFor(1, 0).requiredPlayerLevel, 0);
    EXPECT_EQ(PracticeChallenge::LevelFor(5, 0).reward, 4000u);
    EXPECT_EQ(PracticeChallenge::LevelFor(0, 0).target, 0) << "no level 0";
    EXPECT_EQ(PracticeChallenge::LevelFor(6, 0).target, 0) << "no level 6";
}

TEST(PracticeChallengeTest, SuccessAndPointsFollowTheShotCounterPerType) {
    EXPECT_FALSE(PracticeChallenge::ShotSucceeds(0, 0));
    EXPECT_TRUE(PracticeChallenge::ShotSucceeds(0, 1));
    EXPECT_FALSE(PracticeChallenge::ShotSucceeds(2, 1));
    EXPECT_TRUE(PracticeChallenge::ShotSucceeds(2, 2));
    for (quill::GameType type : {3, 4, 5}) {
        EXPECT_FALSE(PracticeChallenge::ShotSucceeds(type, 3)) << type;
        EXPECT_TRUE(PracticeChallenge::ShotSucceeds(type, 4)) << type;
    }
    EXPECT_FALSE(PracticeChallenge::ShotSucceeds(13, 4));
    EXPECT_TRUE(PracticeChallenge::ShotSucceeds(13, 5));

    EXPECT_EQ(PracticeChallenge::ShotPoints(0, 7, 9), 1);
    EXPECT_EQ(PracticeChallenge::ShotPoints(2, 3, 0), 1);
    EXPECT_EQ(PracticeChallenge::ShotPoints(2, 4, 0), 2);
    EXPECT_EQ(PracticeChallenge::ShotPoints(3, 999, 0), 1);
    EXPECT_EQ(PracticeChallenge::ShotPoints(5, 1000, 0), 2);
    EXPECT_EQ(PracticeChallenge::ShotPoints(4, 1000, 0), 1) << "international three-cushion scores 1";
    EXPECT_EQ(PracticeChallenge::ShotPoints(13, 5, 3), 3) << "14.1 scores what the rules count";
}

TEST(PracticeChallengeTest, InningsGrowOnFailuresOnlyAndTheTwentiethEndsItOnce) {
    PracticeChallenge challenge;
    challenge.Start(0, 2);
    EXPECT_TRUE(challenge.IsActive());
    EXPECT_EQ(challenge.Innings(), 1);
    EXPECT_EQ(challenge.Average(), 0.0f);

    auto judged = challenge.Judge(1, 0);
    EXPECT_TRUE(judged.success);
    EXPECT_FALSE(judged.inningAdded) << "a successful shot never adds an inning";
    EXPECT_EQ(challenge.Points(), 1);
    EXPECT_EQ(challenge.Innings(), 1);

    judged = challenge.Judge(0, 0);
    EXPECT_FALSE(judged.success);
    EXPECT_TRUE(judged.inningAdded);
    EXPECT_TRUE(judged.switchCueBall) << "a carom game changes the cue ball";
    EXPECT_EQ(challenge.Innings(), 2);
    EXPECT_EQ(challenge.Average(), 0.5f);

    int finished = 0;
    for (int shot = 0; shot < 30; ++shot) finished += challenge.Judge(0, 0).finished ? 1 : 0;
    EXPECT_EQ(finished, 1) << "one result, at the twentieth failed inning";
    EXPECT_FALSE(challenge.IsActive());
    EXPECT_EQ(challenge.Innings(), 20);
    EXPECT_EQ(challenge.Points(), 1);
    EXPECT_EQ(challenge.LevelNumber(), 2);
}

TEST(PracticeChallengeTest, AThreeCushionInningsFailedFirstShotCostsNoInningInEveryInning) {
    PracticeChallenge challenge;
    challenge.Start(3, 1);
    for (int inning = 1; inning <= 3; ++inning) {
        SCOPED_TRACE(inning);
        auto judged = challenge.Judge(0, 0);
        EXPECT_FALSE(judged.inningAdded) << "the inning's first shot";
        EXPECT_EQ(challenge.Innings(), inning);
        judged = challenge.Judge(0, 0);
        EXPECT_TRUE(judged.inningAdded);
        EXPECT_EQ(challenge.ShotsOfInning(), 0) << "the next inning's shots count from its start";
    }
    // Pocket games keep the cue ball.
    PracticeChallenge straight;
    straight.Start(13, 1);
    EXPECT_FALSE(straight.Judge(0, 0).switchCueBall);
    EXPECT_EQ(straight.Judge(5, 4).points, 4);
}

TEST(PracticeChallengeTest, TheGoldChargeNeedsMembershipAChargeLeftAndLittleGold) {
    using Refusal = PracticeChallenge::ChargeRefusal;
    EXPECT_EQ(PracticeChallenge::CheckGoldCharge(0, 1, 0), Refusal::kMembershipOnly);
    EXPECT_EQ(PracticeChallenge::CheckGoldCharge(1, 0, 0), Refusal::kNoChargesLeft);
    EXPECT_EQ(PracticeChallenge::CheckGoldCharge(1, 1, 20001), Refusal::kTooMuchGold);
    EXPECT_EQ(PracticeChallenge::CheckGoldCharge(2, 1, 20000), Refusal::kAllowed);
    EXPECT_EQ(PracticeChallenge::CheckGoldCharge(3, 1, 30000), Refusal::kAllowed);
    EXPECT_EQ(PracticeChallenge::CheckGoldCharge(3, 1, 30001), Refusal::kTooMuchGold);
    EXPECT_EQ(PracticeChallenge::ChargeAmount(0), 20000u);
    EXPECT_EQ(PracticeChallenge::ChargeAmount(2), 20000u);
    EXPECT_EQ(PracticeChallenge::ChargeAmount(3), 50000u);
}

TEST(PracticeTextListTest, KeepsTwoHundredLinesAndShowsTheLastEightCountedFromOne) {
    PracticeTextList list;
    EXPECT_EQ(list.ViewStart(), 1u);
    for (uint32_t n = 1; n <= 8; ++n) list.Add(u"line", n, n * 10);
    EXPECT_EQ(list.ViewStart(), 1u) << "eight lines all show";
    EXPECT_EQ(list.Shown().size(), 8u);
    list.Add(u"ninth", 9, 90);
    EXPECT_EQ(list.ViewStart(), 2u) << "count - 7";
    ASSERT_EQ(list.Shown().size(), 8u);
    EXPECT_EQ(list.Shown().back().text, u"ninth");
    EXPECT_EQ(list.Shown().front().colour, 2u);
    for (uint32_t n = 10; n <= 201; ++n) list.Add(u"more", n, n * 10);
    EXPECT_EQ(list.Count(), PracticeTextList::kCapacity);
    EXPECT_EQ(list.At(0).colour, 2u) << "the oldest went";
    EXPECT_EQ(list.At(0).addedMs, 20u);
    EXPECT_EQ(list.ViewStart(), 193u);
}

}  // namespace
}  // namespace kestrovan::test
