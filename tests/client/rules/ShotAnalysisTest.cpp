#include <gtest/gtest.h>

#include "client/rules/ShotAnalysis.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;

// Cushion side bits as the physics reports them.
constexpr uint8_t kMinX = 1;
constexpr uint8_t kMaxX = 2;
constexpr uint8_t kMinY = 4;
constexpr uint8_t kMaxY = 8;

ShotAnalysis Begin(quill::GameType gameType, uint32_t rackShots = 5, uint8_t group = 0) {
    ShotSetup setup;
    setup.gameType = gameType;
    setup.cueBall = 0;
    setup.ballCount = quill::GetBallCount(gameType);
    setup.rackShots = rackShots;
    setup.ballGroup = group;
    ShotAnalysis shot;
    shot.Start(setup);
    return shot;
}

void Finish(ShotAnalysis& shot) {
    shot.Finish({});
}

TEST(ShotAnalysisCaromTest, ThreeCushionsBeforeTheSecondBallCodeFour) {
    ShotAnalysis shot = Begin(type::kThreeCushion);
    EXPECT_FALSE(shot.OnBallContact(0, 2));  // the red first: the other white is next
    EXPECT_EQ(shot.SecondTarget(), 1);
    shot.OnCushion(0, kMaxX);
    shot.OnCushion(0, kMinY);
    shot.OnCushion(0, kMinX);
    EXPECT_EQ(shot.ProgressCode(), 4);
    EXPECT_TRUE(shot.OnBallContact(1, 0));
    EXPECT_EQ(shot.Code(), 4);
    Finish(shot);
    EXPECT_EQ(shot.Code(), 4);
    EXPECT_EQ(shot.CueCushions(), 3u);
}

TEST(ShotAnalysisCaromTest, BankCushionsCountBeforeTheFirstBallAndRailsCountTwice) {
    ShotAnalysis shot = Begin(type::kThreeCushion);
    shot.OnCushion(0, kMaxY);  // a bank before the first ball
    shot.OnBallContact(0, 1);
    EXPECT_EQ(shot.SecondTarget(), 2);  // the other white first: the red is next
    shot.OnCushion(0, kMinY);
    shot.OnCushion(0, kMinY);
    shot.OnCushion(0, kMinY);  // a third touch of one rail does not count
    shot.OnCushion(0, kMaxX);
    EXPECT_TRUE(shot.OnBallContact(0, 2));
    EXPECT_EQ(shot.Code(), 1000 + 1 + 4);
    EXPECT_EQ(shot.Count(), 5);
    EXPECT_TRUE(ShotAnalysis::MeetsTarget(shot.Code(), 1004, type::kThreeCushion));
    EXPECT_FALSE(ShotAnalysis::MeetsTarget(5, 1004, type::kThreeCushion));

    ShotAnalysis pro = Begin(type::kThreeCushionPro);
    for (int i = 0; i < 4; ++i) {
        pro.OnCushion(0, kMinY);  // international rules count every rail contact
    }
    pro.OnBallContact(0, 2);
    pro.OnBallContact(0, 1);
    EXPECT_EQ(pro.Code(), 3000 + 1 + 4);
}

TEST(ShotAnalysisCaromTest, FourBallFoulsAndMisses) {
    ShotAnalysis other = Begin(type::kFourBall);
    other.OnBallContact(0, 2);
    EXPECT_TRUE(other.OnBallContact(0, 1));  // the other white
    EXPECT_EQ(other.Code(), shot_code::kWrongContact);
    EXPECT_EQ(other.Kind(), shot_kind::kOtherWhite);
    EXPECT_FALSE(other.OnBallContact(0, 3));  // a foul stays a foul
    Finish(other);
    EXPECT_TRUE(other.IsFoul());

    ShotAnalysis carom = Begin(type::kFourBall);
    carom.OnBallContact(0, 3);
    EXPECT_TRUE(carom.OnBallContact(0, 2));
    EXPECT_EQ(carom.Code(), 1);

    ShotAnalysis breakFoul = Begin(type::kFourBall, 1);
    EXPECT_TRUE(breakFoul.OnBallContact(0, 2));  // the red first on the break, no bank
    EXPECT_EQ(breakFoul.Kind(), shot_kind::kBreakFoul);
    ShotAnalysis bankedBreak = Begin(type::kFourBall, 1);
    bankedBreak.OnCushion(0, kMinX);
    EXPECT_FALSE(bankedBreak.OnBallContact(0, 2));
    EXPECT_FALSE(bankedBreak.IsFoul());

    ShotAnalysis miss = Begin(type::kFourBall);
    miss.OnCushion(0, kMinX);
    Finish(miss);
    EXPECT_EQ(miss.Code(), shot_code::kMiss);
    EXPECT_EQ(miss.Kind(), shot_kind::kMiss);
    EXPECT_FALSE(miss.IsFoul());  // a miss is judged apart from the fouls

    ShotAnalysis proMiss = Begin(type::kThreeCushionPro);
    Finish(proMiss);
    EXPECT_EQ(proMiss.Code(), 0);

    ShotAnalysis openingThreeCushion = Begin(type::kThreeCushion, 1);
    openingThreeCushion.OnBallContact(0, 2);
    openingThreeCushion.OnBallContact(0, 1);
    Finish(openingThreeCushion);
    EXPECT_EQ(openingThreeCushion.Code(), 0);
}

TEST(ShotAnalysisCaromTest, ClosenessOfANearMiss) {
    ShotAnalysis shot = Begin(type::kThreeCushion);
    shot.OnBallContact(0, 2);
    shot.OnCueBallDistance(20.0f, 3.0f);
    EXPECT_EQ(shot.Closeness(), 0.0f);
    shot.OnCueBallDistance(6.0f + 0.6f, 3.0f);  // 0.2 radii of air
    EXPECT_FLOAT_EQ(shot.Closeness(), 0.95f);
    shot.OnCueBallDistance(9.0f, 3.0f);
    EXPECT_FLOAT_EQ(shot.Closeness(), 0.95f);  // the closest pass counts
}

TEST(ShotAnalysisSixBallsTest, CountsByBallsReachedAndMarksThroughTheRack) {
    ShotAnalysis shot = Begin(type::kSixBalls);
    EXPECT_TRUE(shot.OnBallContact(0, 3));
    EXPECT_EQ(shot.Code(), 5);
    EXPECT_FALSE(shot.OnBallContact(0, 3));
    EXPECT_TRUE(shot.OnBallContact(0, 4));
    EXPECT_TRUE(shot.OnBallContact(0, 5));
    EXPECT_EQ(shot.Code(), 7);
    EXPECT_TRUE(shot.OnBallContact(0, 1));
    EXPECT_EQ(shot.Code(), 9);
    Finish(shot);

    ShotSetup setup;
    setup.gameType = type::kSixBalls;
    setup.ballCount = 6;
    shot.Start(setup);
    shot.OnBallContact(0, 2);
    shot.OnBallContact(0, 1);
    EXPECT_EQ(shot.Code(), 6);
    Finish(shot);
    EXPECT_EQ(shot.Code(), shot_code::kSixBallsWin);  // all five marked in this rack

    shot.StartRack();
    shot.Start(setup);
    shot.OnBallContact(0, 2);
    Finish(shot);
    EXPECT_EQ(shot.Code(), 5);

    EXPECT_TRUE(ShotAnalysis::MeetsTarget(7, 7, type::kSixBalls));
    EXPECT_FALSE(ShotAnalysis::MeetsTarget(6, 7, type::kSixBalls));  // would leave one point
    EXPECT_FALSE(ShotAnalysis::MeetsTarget(9, 7, type::kSixBalls));
    EXPECT_TRUE(ShotAnalysis::MeetsTarget(15, 5, type::kSixBalls));
}

TEST(ShotAnalysisPocketTest, LegalPotsFoulsAndTheLists) {
    ShotAnalysis pot = Begin(type::kEightBall, 5, quill::ball_group::kLow);
    pot.OnBallContact(0, 3);
    pot.OnBallContact(3, 6);  // object balls among themselves do not change the first ball
    pot.OnPocketed(3);
    pot.OnPocketed(6);
    pot.OnPocketed(3);
    Finish(pot);
    EXPECT_EQ(pot.Code(), shot_code::kLegalPocket);
    EXPECT_EQ(pot.Kind(), shot_kind::kMultiplePocket);
    EXPECT_EQ(pot.FirstBall(), 3);
    EXPECT_EQ(pot.Pocketed(), (std::vector<uint8_t>{3, 6}));

    ShotAnalysis wrong = Begin(type::kEightBall, 5, quill::ball_group::kLow);
    wrong.OnBallContact(0, 12);
    Finish(wrong);
    EXPECT_EQ(wrong.Code(), shot_code::kWrongContact);
    EXPECT_EQ(wrong.Kind(), shot_kind::kWrongBallFirst);

    ShotAnalysis scratch = Begin(type::kEightBall, 5, quill::ball_group::kLow);
    scratch.OnBallContact(0, 2);
    scratch.OnPocketed(0);
    Finish(scratch);
    EXPECT_EQ(scratch.Code(), shot_code::kCueBallLost);

    ShotAnalysis jumped = Begin(type::kEightBall, 5, quill::ball_group::kLow);
    jumped.OnBallContact(0, 2);
    std::array<bool, ShotAnalysis::kMaxBalls> offTable{};
    offTable[8] = true;
    jumped.Finish(offTable);
    EXPECT_EQ(jumped.Code(), shot_code::kObjectBallLost);
    EXPECT_EQ(jumped.Lost(), (std::vector<uint8_t>{8}));

    ShotAnalysis nothing = Begin(type::kEightBall, 5, quill::ball_group::kLow);
    Finish(nothing);
    EXPECT_EQ(nothing.Code(), shot_code::kMiss);

    ShotAnalysis safety = Begin(type::kEightBall, 5, quill::ball_group::kLow);
    safety.OnBallContact(0, 4);
    Finish(safety);
    EXPECT_EQ(safety.Code(), 0);
}

TEST(ShotAnalysisPocketTest, CalledEightNineBallOrderAndSnookerBallOn) {
    ShotAnalysis eight = Begin(type::kEightBall, 9, quill::ball_group::kEight);
    eight.OnBallContact(0, 8);
    eight.OnPocketed(8);
    Finish(eight);
    EXPECT_EQ(eight.Code(), shot_code::kLegalPocket);
    EXPECT_TRUE(eight.IsSpecial());

    ShotSetup nine;
    nine.gameType = type::kNineBall;
    nine.ballCount = 10;
    nine.rackShots = 4;
    nine.lowestBall = 3;
    ShotAnalysis wrongOrder;
    wrongOrder.Start(nine);
    wrongOrder.OnBallContact(0, 5);
    Finish(wrongOrder);
    EXPECT_EQ(wrongOrder.Kind(), shot_kind::kWrongBallFirst);
    ShotAnalysis combination;
    combination.Start(nine);
    combination.OnBallContact(0, 3);
    combination.OnPocketed(9);
    Finish(combination);
    EXPECT_EQ(combination.Code(), shot_code::kLegalPocket);
    EXPECT_TRUE(combination.IsSpecial());

    ShotAnalysis red = Begin(type::kSnooker, 5, quill::ball_group::kRed);
    red.OnBallContact(0, 20);
    Finish(red);
    EXPECT_TRUE(red.IsFoul());
    ShotAnalysis colour = Begin(type::kSnooker, 5, quill::ball_group::kColour);
    colour.OnBallContact(0, 21);
    colour.OnPocketed(21);
    Finish(colour);
    EXPECT_EQ(colour.Code(), shot_code::kLegalPocket);

    ShotAnalysis onBreak = Begin(type::kEightBall, 1, quill::ball_group::kLow);
    onBreak.OnBallContact(0, 9);  // any ball first on the break
    onBreak.OnPocketed(4);
    Finish(onBreak);
    EXPECT_EQ(onBreak.Code(), shot_code::kLegalPocket);
}

}  // namespace
}  // namespace kestrovan
