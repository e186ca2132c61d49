#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <vector>

#include "client/rules/ShotAnalysis.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
namespace group = quill::ball_group;

// Cushion side bits as the physics reports them.
constexpr uint8_t kMinX = 1;
constexpr uint8_t kMaxX = 2;
constexpr uint8_t kMinY = 4;
constexpr uint8_t kMaxY = 8;

// One thing the referee sees while the balls run: the cue ball meeting an object ball or a cushion, a ball
// dropping into a pocket, or a ball found off the table when the shot ends.
enum class Seen { Contact, Cushion, Pocketed, OffTable };
struct Observation {
    Seen what;
    uint16_t value;  // the ball, or the cushion's side bit
};
constexpr auto Hit = [](uint16_t ball) { return Observation{Seen::Contact, ball}; };
constexpr auto Rail = [](uint8_t side) { return Observation{Seen::Cushion, side}; };
constexpr auto Drop = [](uint16_t ball) { return Observation{Seen::Pocketed, ball}; };
constexpr auto Off = [](uint16_t ball) { return Observation{Seen::OffTable, ball}; };

ShotFacts SetupFor(quill::GameType gameType, uint32_t rackShots = 5, uint8_t ballGroup = 0, int32_t lowestBall = -1) {
    ShotFacts setup;
    setup.gameType = gameType;
    setup.ballCount = quill::GetBallCount(gameType);
    setup.rackShots = rackShots;
    setup.ballGroup = ballGroup;
    setup.lowestBall = lowestBall;
    return setup;
}

// A shot with the cue ball 0, observed in order and finished.
ShotAnalysis Play(const ShotFacts& setup, const std::vector<Observation>& seen) {
    ShotAnalysis shot;
    shot.Start(setup);
    std::array<bool, quill::kMaxBalls> offTable{};
    for (const Observation& o : seen) {
        if (o.what == Seen::Contact) {
            shot.OnBallContact(0, o.value);
        } else if (o.what == Seen::Cushion) {
            shot.OnCushion(0, static_cast<uint8_t>(o.value));
        } else if (o.what == Seen::Pocketed) {
            shot.OnPocketed(o.value);
        } else {
            offTable[o.value] = true;
        }
    }
    shot.Finish(offTable);
    return shot;
}

TEST(ShotAnalysisTest, FinishedShotsAreCodedByGame) {
    namespace kind = shot_kind;
    const ShotFacts threeCushion = SetupFor(type::kThreeCushion);
    const ShotFacts international = SetupFor(type::kThreeCushionPro);
    const ShotFacts fourBall = SetupFor(type::kFourBall);
    const ShotFacts fourBallBreak = SetupFor(type::kFourBall, 1);
    const ShotFacts eightBall = SetupFor(type::kEightBall, 5, group::kLow);
    const ShotFacts nineBall = SetupFor(type::kNineBall, 4, 0, 3);  // the 3 is the lowest ball
    const struct {
        ShotFacts setup;
        std::vector<Observation> seen;
        int32_t code;
        int32_t kind;
    } shots[] = {
        // Three cushions before the second ball.
        {threeCushion, {Hit(2), Rail(kMaxX), Rail(kMinY), Rail(kMinX), Hit(1)}, 4, kind::kPlain},
        // A bank first; a third touch of one rail does not count.
        {threeCushion,
         {Rail(kMaxY), Hit(1), Rail(kMinY), Rail(kMinY), Rail(kMinY), Rail(kMaxX), Hit(2)},
         1005,
         kind::kPlain},
        // International rules count every rail contact, and reaching no ball is no miss.
        {international, {Rail(kMinY), Rail(kMinY), Rail(kMinY), Rail(kMinY), Hit(2), Hit(1)}, 3005, kind::kPlain},
        {international, {}, 0, kind::kPlain},
        // The opening shot of three-cushion scores nothing.
        {SetupFor(type::kThreeCushion, 1), {Hit(2), Hit(1)}, 0, kind::kPlain},
        // Four-ball: a carom; the other white (a foul stays a foul); the red first on the break, without and with
        // a bank; no ball reached.
        {fourBall, {Hit(3), Hit(2)}, 1, kind::kPlain},
        {fourBall, {Hit(2), Hit(1), Hit(3)}, -1, kind::kOtherWhite},
        {fourBallBreak, {Hit(2)}, -1, kind::kBreakFoul},
        {fourBallBreak, {Rail(kMinX), Hit(2)}, 0, kind::kPlain},
        {fourBall, {Rail(kMinX)}, -2, kind::kMiss},
        // 8-ball on the low group: two balls of the group; the other group first; a scratch; an object ball off
        // the table; nothing hit; a safety; any ball first on the break; the called 8.
        {eightBall, {Hit(3), Drop(3), Drop(6)}, 5, kind::kMultiplePocket},
        {eightBall, {Hit(12)}, -1, kind::kWrongBallFirst},
        {eightBall, {Hit(2), Drop(0)}, -3, kind::kCueBallLost},
        {eightBall, {Hit(2), Off(8)}, -4, kind::kObjectBallLost},
        {eightBall, {}, -2, kind::kMiss},
        {eightBall, {Hit(4)}, 0, kind::kPlain},
        {SetupFor(type::kEightBall, 1, group::kLow), {Hit(9), Drop(4)}, 5, kind::kPlain},
        {SetupFor(type::kEightBall, 9, group::kEight), {Hit(8), Drop(8)}, 5, kind::kPlain},
        // 9-ball: not the lowest ball first; the lowest ball into the 9.
        {nineBall, {Hit(5)}, -1, kind::kWrongBallFirst},
        {nineBall, {Hit(3), Drop(9)}, 5, kind::kPlain},
        // Snooker: a colour while a red is on; the black when a colour is on.
        {SetupFor(type::kSnooker, 5, group::kRed), {Hit(20)}, -1, kind::kWrongBallFirst},
        {SetupFor(type::kSnooker, 5, group::kColour), {Hit(21), Drop(21)}, 5, kind::kPlain},
    };
    for (size_t i = 0; i < std::size(shots); ++i) {
        SCOPED_TRACE(::testing::Message() << "shot " << i);
        const ShotAnalysis played = Play(shots[i].setup, shots[i].seen);
        EXPECT_EQ(played.Code(), shots[i].code);
        EXPECT_EQ(played.Kind(), shots[i].kind);
    }
    EXPECT_FALSE(Play(fourBall, {}).IsFoul());  // a miss is judged apart from the fouls
}

TEST(ShotAnalysisTest, OnlyALegalShotThatPocketsTheGameBallIsSpecial) {
    EXPECT_TRUE(Play(SetupFor(type::kEightBall, 9, group::kEight), {Hit(8), Drop(8)}).IsSpecial());
    EXPECT_TRUE(Play(SetupFor(type::kNineBall, 4, 0, 3), {Hit(3), Drop(9)}).IsSpecial());
    EXPECT_FALSE(Play(SetupFor(type::kEightBall, 9, group::kLow), {Hit(3), Drop(3)}).IsSpecial());
    EXPECT_FALSE(Play(SetupFor(type::kNineBall, 4, 0, 3), {Hit(3), Drop(9), Drop(0)}).IsSpecial());
}

TEST(ShotAnalysisTest, CaromContactsReportWhenTheCodeChanges) {
    ShotAnalysis shot;
    shot.Start(SetupFor(type::kThreeCushion));
    EXPECT_FALSE(shot.OnBallContact(0, 2));  // the red first: the other white is next
    EXPECT_EQ(shot.SecondTarget(), 1);
    for (uint8_t side : {kMaxX, kMinY, kMinX}) {
        EXPECT_FALSE(shot.OnCushion(0, side));
    }
    EXPECT_EQ(shot.ProgressCode(), 4);
    EXPECT_TRUE(shot.OnBallContact(1, 0));  // either ball of a contact may be the cue ball
    EXPECT_EQ(shot.Code(), 4);
    EXPECT_EQ(shot.CueCushions(), 3u);

    shot.Start(SetupFor(type::kThreeCushion));
    shot.OnBallContact(0, 1);
    EXPECT_EQ(shot.SecondTarget(), 2);  // the other white first: the red is next

    shot.Start(SetupFor(type::kFourBall));
    shot.OnBallContact(0, 2);
    EXPECT_EQ(shot.SecondTarget(), 3);      // the other red
    EXPECT_TRUE(shot.OnBallContact(0, 1));  // the other white: judged at once
    EXPECT_FALSE(shot.OnBallContact(0, 3));

    shot.Start(SetupFor(type::kFourBall, 1));
    EXPECT_TRUE(shot.OnBallContact(0, 2));  // the break foul, judged at once
}

TEST(ShotAnalysisTest, ClosenessOfANearMiss) {
    ShotAnalysis shot;
    shot.Start(SetupFor(type::kThreeCushion));
    shot.OnBallContact(0, 2);
    shot.OnCueBallDistance(20.0f, 3.0f);
    EXPECT_EQ(shot.Closeness(), 0.0f);
    shot.OnCueBallDistance(6.0f + 0.6f, 3.0f);  // 0.2 radii of air
    EXPECT_FLOAT_EQ(shot.Closeness(), 0.95f);
    shot.OnCueBallDistance(9.0f, 3.0f);
    EXPECT_FLOAT_EQ(shot.Closeness(), 0.95f);  // the closest pass counts
}

TEST(ShotAnalysisTest, SixBallsCountsByBallsReachedAndMarksThroughTheRack) {
    ShotAnalysis shot;
    shot.Start(SetupFor(type::kSixBalls));
    EXPECT_TRUE(shot.OnBallContact(0, 3));
    EXPECT_EQ(shot.Code(), 5);
    EXPECT_FALSE(shot.OnBallContact(0, 3));
    shot.OnBallContact(0, 4);
    EXPECT_TRUE(shot.OnBallContact(0, 5));
    EXPECT_EQ(shot.Code(), 7);
    shot.OnBallContact(0, 1);
    EXPECT_EQ(shot.Code(), 9);
    shot.Finish({});

    shot.Start(SetupFor(type::kSixBalls));
    shot.OnBallContact(0, 2);
    EXPECT_EQ(shot.Code(), 5);
    shot.Finish({});
    EXPECT_EQ(shot.Code(), shot_code::kSixBallsWin);  // all five marked in this rack

    shot.StartRack();
    shot.Start(SetupFor(type::kSixBalls));
    shot.OnBallContact(0, 2);
    shot.Finish({});
    EXPECT_EQ(shot.Code(), 5);
}

TEST(ShotAnalysisTest, PocketListsHoldEachBallOnce) {
    ShotAnalysis shot;
    shot.Start(SetupFor(type::kEightBall, 5, group::kLow));
    shot.OnBallContact(0, 3);
    shot.OnBallContact(3, 6);  // object balls among themselves do not change the first ball
    for (uint16_t ball : {3, 6, 3}) {
        shot.OnPocketed(ball);
    }
    shot.OnLeftTable(6);  // already in a pocket
    std::array<bool, quill::kMaxBalls> offTable{};
    offTable[9] = true;
    shot.Finish(offTable);
    EXPECT_EQ(shot.FirstBall(), 3);
    EXPECT_EQ(shot.Pocketed(), (std::vector<uint8_t>{3, 6}));
    EXPECT_EQ(shot.Lost(), (std::vector<uint8_t>{9}));
}

TEST(ShotAnalysisTest, TargetsAskForTheCountAndTheBanks) {
    EXPECT_TRUE(ShotAnalysis::MeetsTarget(1005, 1004, type::kThreeCushion));
    EXPECT_FALSE(ShotAnalysis::MeetsTarget(5, 1004, type::kThreeCushion));
    EXPECT_FALSE(ShotAnalysis::MeetsTarget(1003, 1004, type::kThreeCushion));
    // Six balls: the target is the points still allowed.
    EXPECT_TRUE(ShotAnalysis::MeetsTarget(7, 7, type::kSixBalls));
    EXPECT_FALSE(ShotAnalysis::MeetsTarget(6, 7, type::kSixBalls));  // would leave one point
    EXPECT_FALSE(ShotAnalysis::MeetsTarget(9, 7, type::kSixBalls));
    EXPECT_TRUE(ShotAnalysis::MeetsTarget(15, 5, type::kSixBalls));
}

}  // namespace
}  // namespace kestrovan
