#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <span>
#include <thread>
#include <vector>

#include "QuillLib/gamedata/FourBallRule.h"
#include "QuillLib/gamedata/StraightPoolRule.h"
#include "QuillLib/gamedata/TeamState.h"
#include "client/physics/PhysicsEventList.h"
#include "client/physics/PhysicsModelFactory.h"
#include "client/rules/TablePhysics.h"
#include "platform/system/FpuMode.h"
#include "tests/client/rules/RecordingTableSound.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using ::testing::ElementsAre;

// Table kinds of the physics: 0 a carom table, 1 a pool table.
constexpr uint16_t kCaromTableItem = 0;
constexpr uint16_t kPoolTableItem = 1;
constexpr uint32_t kCaromBalls = 3;  // ball set 3: 3.275 cm
constexpr uint32_t kPoolBalls = 5;   // ball set 5: 2.86 cm
constexpr float kPoolRadius = 2.86f;
constexpr int kMaxSteps = 20000;  // 100 simulated seconds: far beyond any shot

// The process-wide physics state (model cache, constants, event list) starts clean before the test's tables
// are made and is cleared again after they are gone.
struct CleanPhysics {
    CleanPhysics() {
        platform::SetThreadFpuMode();
        ResetPhysicsStateForTest();
    }
    ~CleanPhysics() { ResetPhysicsStateForTest(); }
};

class TablePhysicsTest : public ::testing::Test {
protected:
    // Equips the table for the game type (a carom or pool table with its balls) and racks it with the seed.
    static void Rack(TablePhysics& table, quill::GameType gameType, uint32_t seed) {
        const bool pool = !quill::IsCaromGame(gameType);
        table.SetGameType(gameType);
        table.SetItemProperties(pool ? kPoolTableItem : kCaromTableItem, pool ? kPoolBalls : kCaromBalls);
        table.ApplyTable();
        table.StartRack(seed);
    }

    // A level stroke of the given power at the aim point, with a good tip and chalk.
    static StrokeParameters Stroke(float aimX, float aimY, float power) {
        StrokeParameters stroke;
        stroke.powerCap = 1.0f;
        stroke.power = power;
        stroke.aimPointX = aimX;
        stroke.aimPointY = aimY;
        stroke.paramE = 0.75f;
        stroke.paramF = 1.0f;
        stroke.startParamA = 0.65f;
        stroke.startParamB = 3.0f;
        return stroke;
    }

    // Steps until the balls stop; the number of steps, or -1 when they never did.
    static int RunShot(TablePhysics& table) {
        for (int step = 0; step < kMaxSteps; ++step) {
            if (table.Step() == 0) {
                return step;
            }
        }
        return -1;
    }

    static std::vector<uint8_t> Listed(std::span<const uint8_t> balls) { return {balls.begin(), balls.end()}; }

    CleanPhysics clean;
    test::RecordingTableSound sound;
    TablePhysics table;
};

TEST_F(TablePhysicsTest, ModelAndBallSetFallBackToTheDefaults) {
    // A new holder shares the default model, its balls already sized by the default ball set.
    EXPECT_FALSE(table.OwnsModel());
    EXPECT_EQ(table.Model()->Code(), kDefaultPhysicsModelCode);
    EXPECT_EQ(table.BallCount(), 22);
    EXPECT_FLOAT_EQ(table.Model()->Ball(0).radiusCm, 3.275f);
    EXPECT_FLOAT_EQ(table.Model()->Ball(0).mass, 0.25f);

    EXPECT_EQ(table.SetModel(0x99999, 1)->Code(), kDefaultPhysicsModelCode);  // a code the factory does not know
    EXPECT_TRUE(table.OwnsModel());
    EXPECT_EQ(table.ModelCode(), 0x99999u);

    table.SetGameType(type::kFourBall);
    table.SetItemProperties(kCaromTableItem, 42);  // a ball set without sizes
    table.ApplyTable();
    EXPECT_EQ(table.BallSetIndex(), TablePhysics::kDefaultBallSet);
    EXPECT_FLOAT_EQ(table.Model()->Ball(3).radiusCm, 3.275f);
    table.SetModel(0x10010, 0);  // back to a shared model: the owned one is deleted
    EXPECT_EQ(table.Model()->Code(), 0x10010u);
    EXPECT_EQ(table.BallCount(), 4);
}

TEST_F(TablePhysicsTest, RacksEveryGameInsideTheTable) {
    for (quill::GameType gameType : {0, 2, 3, 4, 5, 6, 10, 12, 13, 16}) {
        SCOPED_TRACE(gameType);
        Rack(table, gameType, 20240607);
        for (uint16_t ball = 0; ball < table.BallCount(); ++ball) {
            EXPECT_TRUE(table.Model()->Ball(ball).IsInsideBounds(0.0f)) << ball;
            EXPECT_EQ(table.Model()->Ball(ball).pocketed, 0);
            EXPECT_TRUE(table.CachedPosition(ball).Equals(table.Model()->Ball(ball).position)) << ball;
        }
        EXPECT_EQ(table.RackShots(), 0u);
    }
}

TEST_F(TablePhysicsTest, PlacementHelpers) {
    Rack(table, type::kNineBall, 5);
    EXPECT_DOUBLE_EQ(table.GetHalfTableSize(), 63.75 / 2);
    EXPECT_TRUE(table.IsSpotTaken(0, table.CachedPosition(1)));
    EXPECT_FALSE(table.IsSpotTaken(0, {0.0f, 50.0f, kPoolRadius}));
    EXPECT_EQ(table.SetBallPosition(30, 0, 0, 0), nullptr);
    table.Model()->Ball(1).pocketed = 2;
    EXPECT_EQ(table.GetLowestBallOnTable(), 2);
    table.Model()->Ball(1).pocketed = 0;

    // The cue ball looks straight down the table at the rack.
    table.SetBallPosition(0, -60.0f, 0.0f, kPoolRadius);
    EXPECT_EQ(table.FirstBallOnLine({1.0f, 0.0f, 0.0f}), 1);
    EXPECT_EQ(table.FirstBallOnLine({-1.0f, 0.0f, 0.0f}), -1);
    EXPECT_EQ(table.FirstBallOnLine({0.0f, 0.0f, 0.0f}), -1);

    table.PlaceBallsSpaced();
    EXPECT_FLOAT_EQ(table.CachedPosition(1).x - table.CachedPosition(0).x, 2.2f * kPoolRadius);
    EXPECT_FLOAT_EQ(table.CachedPosition(0).x, -table.CachedPosition(9).x);
}

TEST_F(TablePhysicsTest, CueBallRespotsBesideABallOnTheHeadSpot) {
    Rack(table, type::kEightBall, 11);
    const float headX = -127.5f / 2;
    table.SetBallPosition(3, headX, 0.0f, kPoolRadius);
    table.Model()->Ball(0).pocketed = 4;
    table.RespotCueBall();
    const quill::Vec3& cue = table.CachedPosition(0);
    EXPECT_FLOAT_EQ(cue.x, headX);
    EXPECT_GE(cue.y, 2.2f * kPoolRadius - 1e-4f);
    EXPECT_FLOAT_EQ(cue.z, kPoolRadius);
    EXPECT_EQ(table.Model()->Ball(0).pocketed, 0);
}

TEST_F(TablePhysicsTest, RespotListsAndSpotsFollowTheGameType) {
    const RackTable geometry{127.5f, 63.75f, kPoolRadius};
    Rack(table, type::kSnooker, 3);
    table.Model()->Ball(0).pocketed = 1;
    table.Model()->Ball(21).pocketed = 6;
    table.Model()->Ball(5).pocketed = 2;  // a red stays down
    // The pink lies on the black's spot: the black takes the highest free colour spot, the pink's.
    const quill::Vec3 blackSpot = RackLayout::SnookerSpot(21, geometry);
    table.SetBallPosition(20, blackSpot.x, blackSpot.y, blackSpot.z);
    EXPECT_EQ(table.CollectRespotBalls(), 1u);
    EXPECT_THAT(Listed(table.RespotList()), ElementsAre(0, 21));
    table.StartRespot();
    const quill::Vec3 pinkSpot = RackLayout::SnookerSpot(20, geometry);
    const quill::Vec3 dSpot = RackLayout::SnookerSpot(0, geometry);
    EXPECT_EQ(table.Model()->Ball(21).pocketed, 0);
    EXPECT_FLOAT_EQ(table.CachedPosition(21).x, pinkSpot.x);
    EXPECT_FLOAT_EQ(table.CachedPosition(21).y, pinkSpot.y);
    EXPECT_FLOAT_EQ(table.CachedPosition(21).z, 20.0f);  // dropped onto the cloth
    EXPECT_FLOAT_EQ(table.CachedPosition(0).x, dSpot.x);
    EXPECT_FLOAT_EQ(table.CachedPosition(0).y, dSpot.y);
    EXPECT_GE(RunShot(table), 0);  // the dropped balls come to rest
    EXPECT_NEAR(table.Model()->Ball(21).position.z, kPoolRadius, 0.01f);

    // Without reds the colours stay down.
    Rack(table, type::kSnooker, 3);
    for (uint16_t ball = 1; ball <= 16; ++ball) {
        table.Model()->Ball(ball).pocketed = 3;
    }
    EXPECT_EQ(table.CollectRespotBalls(), 0u);

    // Carom games put back every ball that left the table, first at the centre of the long axis.
    Rack(table, type::kThreeCushion, 3);
    table.SetBallPosition(2, 400.0f, 0.0f, -68.0f);
    EXPECT_EQ(table.CollectRespotBalls(), 1u);
    table.StartRespot();
    EXPECT_TRUE(table.Model()->Ball(2).IsInsideBounds(0.0f));
    EXPECT_FLOAT_EQ(table.CachedPosition(2).x, 0.0f);
}

// Stroke values and ball places come from another player's shot record: NaN, an infinity or an astronomic
// number is refused where it enters the table, and the balls stay as they were.
TEST_F(TablePhysicsTest, AStrokeOrAPlaceThatIsNoNumberIsRefused) {
    Rack(table, type::kThreeCushion, 9);
    table.SetSound(&sound);
    const quill::Vec3 cue = table.CachedPosition(table.CueBall());
    const quill::Vec3 red = table.CachedPosition(2);
    const float bad[] = {std::nanf(""), INFINITY, -INFINITY, 1e30f};
    for (const float value : bad) {
        StrokeParameters stroke = Stroke(red.x, red.y, 0.5f);
        stroke.aimPointX = value;
        EXPECT_EQ(table.Strike(stroke), 0.0f);
        stroke = Stroke(red.x, red.y, 0.5f);
        stroke.power = value;
        EXPECT_EQ(table.Strike(stroke), 0.0f);
        stroke = Stroke(red.x, red.y, 0.5f);
        stroke.paramD = value;
        EXPECT_EQ(table.Strike(stroke), 0.0f);
        EXPECT_EQ(table.SetBallPosition(2, value, 0.0f, 0.0f), nullptr);
        table.SetBallOrientation(2, value, 0.0f, 0.0f, 1.0f);
    }
    EXPECT_TRUE(sound.sounds.empty()) << "no stroke was played";
    EXPECT_EQ(table.Step(), 0);
    for (uint16_t ball = 0; ball < table.BallCount(); ++ball) {
        EXPECT_TRUE(table.Model()->Ball(ball).velocity.LengthSquared() == 0.0f) << "ball " << ball;
    }
    const auto same = [](const quill::Vec3& a, const quill::Vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; };
    EXPECT_TRUE(same(table.CachedPosition(table.CueBall()), cue));
    EXPECT_TRUE(same(table.CachedPosition(2), red));
    EXPECT_EQ(table.CachedOrientation(2).w, table.Model()->Ball(2).orientation.w);
    EXPECT_FALSE(std::isnan(table.CachedOrientation(2).x));

    // A stroke of ordinary values still plays.
    table.Strike(Stroke(red.x, red.y, 0.5f));
    EXPECT_EQ(table.Step(), 1);
}

TEST_F(TablePhysicsTest, StrikeHearsOnlyItsOwnMiscue) {
    table.SetSound(&sound);
    Rack(table, type::kThreeCushion, 9);
    table.SetTableState(Referee::kJudgingState);
    const quill::Vec3 red = table.CachedPosition(2);
    // A miscue left over from elsewhere must not be taken for this stroke's.
    PhysicsEvent stale;
    stale.kind = PhysicsEventKind::Miscue;
    stale.strength = 0.9f;
    ThePhysicsEventList().Append(stale);
    EXPECT_FLOAT_EQ(table.Strike(Stroke(red.x, red.y, 0.5f)), 0.0f);  // a centre-ball stroke
    ASSERT_THAT(sound.SoundIds(), ElementsAre(22));
    EXPECT_FLOAT_EQ(sound.sounds[0].volume, 0.5f);
    EXPECT_TRUE(sound.voices.empty());

    sound.sounds.clear();
    StrokeParameters high = Stroke(red.x, red.y, 0.8f);
    high.tipOffsetY = 0.9f;  // far up on the ball, with poor chalk
    high.strokeY = 0.9f;
    high.paramE = 1.0f;
    table.Strike(high);
    ASSERT_THAT(sound.SoundIds(), ElementsAre(25, 22));
    EXPECT_NEAR(sound.sounds[1].volume, 0.2f, 1e-6f);
    EXPECT_THAT(sound.VoiceIds(), ElementsAre(63));
    EXPECT_EQ(table.RackShots(), 2u);
}

TEST_F(TablePhysicsTest, TipOffsetsAreCorrectedForTheTipsRoundedEnd) {
    Rack(table, type::kThreeCushion, 9);
    const quill::Vec3 red = table.CachedPosition(2);
    StrokeParameters stroke = Stroke(red.x, red.y, 0.3f);
    stroke.tipOffsetX = 0.3f;
    // s = min(0.65, 0.3 R a / (a + R)) with R = 3.275 and a = 3: the contact moves to 0.3 - s / R.
    const float s = std::min(0.65f, 0.3f * 3.275f * 3.0f / (3.0f + 3.275f));
    EXPECT_NEAR(table.Strike(stroke), 0.3f - s / 3.275f, 1e-5f);
    stroke.startParamB = 0.0f;  // no tip geometry in an old record: no correction
    EXPECT_NEAR(table.Strike(stroke), 0.3f, 1e-6f);
}

// The whole path: rack, strike, run until the balls stop, and let the game's rule judge the result.
TEST_F(TablePhysicsTest, FourBallShotIsRunAndJudged) {
    table.SetSound(&sound);
    Rack(table, type::kFourBall, 77);
    table.SetTableState(Referee::kJudgingState);
    const quill::Vec3 red = table.CachedPosition(3);
    table.Strike(Stroke(red.x, red.y, 0.6f));
    ASSERT_GE(RunShot(table), 1);
    for (uint16_t ball = 0; ball < table.BallCount(); ++ball) {
        EXPECT_TRUE(table.Model()->Ball(ball).IsAtRest());
    }
    EXPECT_THAT(sound.SoundIds(), ::testing::Contains(9u));  // the balls were heard meeting
    const ShotAnalysis& shot = table.GetReferee().Analysis();
    EXPECT_TRUE(shot.IsFinished());
    EXPECT_EQ(shot.FirstBall(), 3);  // aimed straight at the far red
    const int32_t verdict = table.AnnounceShot(0);

    quill::FourBallRule rule;
    rule.SetShotCount(static_cast<uint16_t>(table.RackShots() + 1));
    quill::TeamState team;
    team.Reset(1);
    team.remaining = 30;
    const bool keeps =
        rule.EvaluateShot(&team, static_cast<int16_t>(shot.Code()), table.GetRuleValue(), 0, nullptr, 0, nullptr);
    EXPECT_EQ(keeps, shot.Code() >= 1);
    EXPECT_EQ(verdict, shot.Code() >= 1 ? 1 : (shot.Code() < 0 ? -1 : 0));
}

TEST_F(TablePhysicsTest, CutIntoTheCornerIsReportedAndScored) {
    Rack(table, type::kStraightPool, 1);
    // Every object ball but one in a pocket; ball 1 in front of the corner pocket (maxX, maxY).
    const quill::Vec3 pocket{127.5f + 2.29f, 63.75f + 2.29f, -15.0f};
    for (uint16_t ball = 2; ball < table.BallCount(); ++ball) {
        table.SetBallFlag(ball, 6);
        table.SetBallPosition(ball, pocket.x, pocket.y, pocket.z);
    }
    const quill::Vec3 object{100.0f, 36.25f, kPoolRadius};
    table.SetBallPosition(1, object.x, object.y, object.z);
    // A 45 degree cut: the cue ball aims at the ghost ball, two radii short of the object ball on its line
    // to the pocket, and leaves the pocket's line after the contact.
    const quill::Vec3 toPocket = pocket - object;
    const float length = std::hypot(toPocket.x, toPocket.y);
    const float ghostX = object.x - toPocket.x / length * 2 * kPoolRadius;
    const float ghostY = object.y - toPocket.y / length * 2 * kPoolRadius;
    table.SetBallPosition(0, ghostX - 60.0f, ghostY, kPoolRadius);
    table.SetTableState(Referee::kJudgingState);
    table.Strike(Stroke(ghostX, ghostY, 0.35f));
    ASSERT_GE(RunShot(table), 1);

    EXPECT_EQ(table.GetRuleValue(), 1);
    EXPECT_THAT(Listed(table.FirstList()), ElementsAre(1));
    EXPECT_EQ(table.GetFirstListCount(), 1);
    EXPECT_EQ(table.GetSecondListCounter(), 22);
    EXPECT_EQ(table.AnnounceShot(0), 1);  // a legal pot: the cue ball stayed on the table

    quill::StraightPoolRule rule;
    quill::TeamState team;
    team.Reset(1);
    team.remaining = 50;
    EXPECT_TRUE(rule.EvaluateShot(&team, static_cast<int16_t>(table.GetReferee().Analysis().Code()),
                                  table.GetRuleValue(), static_cast<int8_t>(table.GetFirstListCount()),
                                  table.FirstList().data(), 0, nullptr));
    EXPECT_EQ(team.remaining, 40);
}

TEST_F(TablePhysicsTest, RequestedStopEndsTheNextStep) {
    Rack(table, type::kEightBall, 2);
    const quill::Vec3 apex = table.CachedPosition(1);
    table.Strike(Stroke(apex.x, apex.y, 1.0f));
    EXPECT_TRUE(table.IsFullPower());
    EXPECT_EQ(table.Step(), 1);
    table.RequestStop();
    EXPECT_EQ(table.Step(), 0);
    for (uint16_t ball = 0; ball < table.BallCount(); ++ball) {
        EXPECT_EQ(table.Model()->Ball(ball).velocity.LengthSquared(), 0.0);
    }
}

TEST_F(TablePhysicsTest, ContinuousRacks) {
    Rack(table, type::kNineBall, 6);
    for (uint16_t ball = 1; ball < table.BallCount(); ++ball) {
        table.Model()->Ball(ball).pocketed = 1;
    }
    table.SetBallPosition(0, -20.0f, 10.0f, kPoolRadius);
    table.ReRack(12);
    EXPECT_FLOAT_EQ(table.CachedPosition(0).x, -20.0f);  // the cue ball stays where it was
    EXPECT_FLOAT_EQ(table.CachedPosition(0).y, 10.0f);
    for (uint16_t ball = 1; ball < table.BallCount(); ++ball) {
        EXPECT_EQ(table.Model()->Ball(ball).pocketed, 0);
    }
    const quill::Vec3 apex = table.CachedPosition(1);
    table.SetBallPosition(0, apex.x - 1.0f, apex.y, apex.z);
    table.ReRack(13);  // the new rack covers the cue ball: it goes to the head spot
    EXPECT_FLOAT_EQ(table.CachedPosition(0).x, -127.5f / 2);

    Rack(table, type::kStraightPool, 6);
    table.ReRackAround(7, 21);
    EXPECT_EQ(table.GetBallAtPosition(1), 7u);
    EXPECT_FLOAT_EQ(table.CachedPosition(7).x, 3 * 63.75f - 127.5f);
    EXPECT_FLOAT_EQ(table.CachedPosition(7).y, 0.0f);
}

TEST_F(TablePhysicsTest, JudgementOnlyInTheJudgingStateAndSnookerGroupWithoutBalls) {
    Rack(table, type::kSnooker, 1);
    EXPECT_EQ(table.AnnounceShot(3), 0);
    table.SetBallGroup(quill::ball_group::kRed);
    EXPECT_EQ(table.GetBallGroup(), quill::ball_group::kRed);
    for (uint16_t ball = 1; ball < table.BallCount(); ++ball) {
        table.Model()->Ball(ball).pocketed = 2;
    }
    table.SetBallGroup(quill::ball_group::kAny);
    EXPECT_EQ(table.GetBallGroup(), 0);
}

TEST_F(TablePhysicsTest, HolderSharingTheCachedModelPreparesItAgainBeforeItsStroke) {
    Rack(table, type::kThreeCushion, 4);
    table.SetBallFlag(2, 1);
    const quill::Vec3 cue = table.CachedPosition(0);

    TablePhysics second;  // the same shared model, now with another game and ball set
    Rack(second, type::kEightBall, 8);
    ASSERT_EQ(table.Model(), second.Model());
    EXPECT_EQ(table.Model()->BallCount(), 16);

    table.PrepareModel();
    EXPECT_EQ(table.Model()->BallCount(), 3);
    EXPECT_FLOAT_EQ(table.Model()->Ball(0).radiusCm, 3.275f);
    EXPECT_FLOAT_EQ(table.Model()->Geometry().noseMaxX, 120.0f);
    EXPECT_TRUE(table.Model()->Ball(0).position.Equals(cue));
    EXPECT_EQ(table.Model()->Ball(2).pocketed, 1);

    second.SnapshotBalls();  // the second prepares in its turn, before it copies the balls
    EXPECT_EQ(second.Model()->BallCount(), 16);
    EXPECT_FLOAT_EQ(second.Model()->Geometry().noseMaxX, 127.5f);
    EXPECT_FLOAT_EQ(second.Model()->Ball(0).radiusCm, kPoolRadius);
    for (uint16_t ball = 0; ball < 16; ++ball) {
        EXPECT_TRUE(second.CachedPosition(ball).Equals(second.Model()->Ball(ball).position));
        EXPECT_TRUE(second.Model()->Ball(ball).IsInsideBounds(0.0f)) << ball;
    }

    // An owned model is the holder's alone: only the shared constants are set up again.
    TablePhysics owner;
    owner.SetModel(kDefaultPhysicsModelCode, 1);
    Rack(owner, type::kFourBall, 5);
    owner.Model()->Ball(1).pocketed = 3;  // written past the holder: an owned model keeps it
    second.PrepareModel();
    owner.PrepareModel();
    EXPECT_EQ(owner.Model()->Ball(1).pocketed, 3);
}

}  // namespace
}  // namespace kestrovan

namespace kestrovan {
namespace {

// The game thread may still be running a shot while the process exits (a library that lost the display calls
// exit()): the shared model and the event list it steps are not freed under it.
TEST(TablePhysicsDeathTest, AShotStillRunningAtExitStepsNothingFreed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::SetThreadFpuMode();
            // The holder itself outlives exit, as the App does on the main thread's stack.
            static TablePhysics* const holder = new TablePhysics;
            TablePhysics& table = *holder;
            table.SetGameType(quill::game_type::kThreeCushion);
            table.SetItemProperties(0, 3);
            table.ApplyTable();
            table.StartRack(9);
            std::thread game([&table] {
                platform::SetThreadFpuMode();
                for (;;) {
                    StrokeParameters stroke;
                    stroke.powerCap = 1.0f;
                    stroke.power = 0.8f;
                    stroke.aimPointX = table.CachedPosition(2).x;
                    stroke.aimPointY = table.CachedPosition(2).y;
                    stroke.paramE = 0.75f;
                    stroke.paramF = 1.0f;
                    stroke.startParamA = 0.65f;
                    stroke.startParamB = 3.0f;
                    table.Strike(stroke);
                    while (table.Step() != 0) {
                    }
                }
            });
            game.detach();
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace kestrovan
