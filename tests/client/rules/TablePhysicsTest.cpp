#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "QuillLib/gamedata/EightBallRule.h"
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

// Table kinds of the physics: 0 a carom table, 1 a pool table.
constexpr uint16_t kCaromTable = 0;
constexpr uint16_t kPoolTable = 1;
constexpr uint32_t kCaromBalls = 3;  // ball set 3: 3.275 cm
constexpr uint32_t kPoolBalls = 5;   // ball set 5: 2.86 cm
constexpr int kMaxSteps = 20000;     // 100 simulated seconds: far beyond any shot

class TablePhysicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetThreadFpuMode();
        ResetPhysicsStateForTest();
    }
    void TearDown() override { ResetPhysicsStateForTest(); }

    // A table of the game type with its equipment, racked with seed.
    static void Equip(TablePhysics& table, quill::GameType gameType, uint16_t tableKind, uint32_t ballSet) {
        table.SetGameType(gameType);
        table.SetItemProperties(tableKind, ballSet);
        table.ApplyTable();
    }

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

    test::RecordingTableSound sound;
};

TEST_F(TablePhysicsTest, NewHolderSharesTheDefaultModelWithSizedBalls) {
    TablePhysics table;
    ASSERT_NE(table.Model(), nullptr);
    EXPECT_FALSE(table.OwnsModel());
    EXPECT_EQ(table.Model()->Code(), kDefaultPhysicsModelCode);
    EXPECT_EQ(table.BallCount(), 22);
    EXPECT_FLOAT_EQ(table.BallRadius(), 3.275f);
    EXPECT_FLOAT_EQ(table.Model()->Ball(0).radiusCm, 3.275f);
    EXPECT_FLOAT_EQ(table.Model()->Ball(0).mass, 0.25f);
    EXPECT_TRUE(table.EvaluateShot(nullptr, -1, 0, 0, nullptr, 0, nullptr));
    EXPECT_FALSE(table.IsGameOver(nullptr));
}

TEST_F(TablePhysicsTest, UnknownModelCodeAndBallSetFallBackToTheDefaults) {
    TablePhysics table;
    PhysicsModel* model = table.SetModel(0x99999, 1);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Code(), kDefaultPhysicsModelCode);
    EXPECT_TRUE(table.OwnsModel());
    EXPECT_EQ(table.ModelCode(), 0x99999u);

    Equip(table, type::kFourBall, kCaromTable, 42);
    EXPECT_EQ(table.BallSetIndex(), TablePhysics::kDefaultBallSet);
    EXPECT_FLOAT_EQ(table.Model()->Ball(3).radiusCm, 3.275f);
    table.SetModel(0x10010, 0);  // back to a shared model: the owned one is deleted
    EXPECT_EQ(table.Model()->Code(), 0x10010u);
    EXPECT_EQ(table.BallCount(), 4);
}

TEST_F(TablePhysicsTest, RacksEveryGameInsideTheTableFromItsSeed) {
    for (quill::GameType gameType : {0, 2, 3, 4, 5, 6, 10, 12, 13, 16}) {
        SCOPED_TRACE(gameType);
        TablePhysics table;
        const bool pool = !quill::IsCaromGame(gameType);
        Equip(table, gameType, pool ? kPoolTable : kCaromTable, pool ? kPoolBalls : kCaromBalls);
        table.StartRack(20240607);
        const TablePhysics* other = &table;
        TablePhysics again;
        Equip(again, gameType, pool ? kPoolTable : kCaromTable, pool ? kPoolBalls : kCaromBalls);
        again.StartRack(20240607);
        for (uint16_t ball = 0; ball < table.BallCount(); ++ball) {
            const PhysicsBall& b = table.Model()->Ball(ball);
            EXPECT_TRUE(b.IsInsideBounds(0.0f)) << ball;
            EXPECT_EQ(b.pocketed, 0);
            EXPECT_TRUE(other->CachedPosition(ball).Equals(again.CachedPosition(ball))) << ball;
            EXPECT_TRUE(table.CachedPosition(ball).Equals(b.position));
        }
        EXPECT_EQ(table.RackShots(), 0u);
    }
}

TEST_F(TablePhysicsTest, PlacementHelpers) {
    TablePhysics table;
    Equip(table, type::kNineBall, kPoolTable, kPoolBalls);
    EXPECT_DOUBLE_EQ(table.GetHalfTableSize(), 63.75 / 2);
    table.StartRack(5);
    EXPECT_EQ(table.GetBallAtPosition(1), 1u);
    EXPECT_EQ(table.GetLowestBallOnTable(), 1);
    table.Model()->Ball(1).pocketed = 2;
    EXPECT_EQ(table.GetLowestBallOnTable(), 2);

    const quill::Vec3 apex = table.CachedPosition(1);
    EXPECT_TRUE(table.IsSpotTaken(0, apex));
    EXPECT_FALSE(table.IsSpotTaken(0, {0.0f, 50.0f, 2.86f}));
    EXPECT_EQ(table.SetBallPosition(30, 0, 0, 0), nullptr);

    // The cue ball looks straight down the table at the rack.
    table.SetBallPosition(0, -60.0f, 0.0f, 2.86f);
    table.Model()->Ball(1).pocketed = 0;
    EXPECT_EQ(table.FirstBallOnLine({1.0f, 0.0f, 0.0f}), 1);
    EXPECT_EQ(table.FirstBallOnLine({-1.0f, 0.0f, 0.0f}), -1);
    EXPECT_EQ(table.FirstBallOnLine({0.0f, 0.0f, 0.0f}), -1);

    table.PlaceBallsSpaced();
    EXPECT_FLOAT_EQ(table.CachedPosition(1).x - table.CachedPosition(0).x, 2.2f * 2.86f);
    EXPECT_FLOAT_EQ(table.CachedPosition(0).x, -table.CachedPosition(9).x);
}

TEST_F(TablePhysicsTest, CueBallRespotsBesideABallOnTheHeadSpot) {
    TablePhysics table;
    Equip(table, type::kEightBall, kPoolTable, kPoolBalls);
    table.StartRack(11);
    const float headX = -127.5f / 2;
    table.SetBallPosition(3, headX, 0.0f, 2.86f);
    table.Model()->Ball(0).pocketed = 4;
    table.RespotCueBall();
    const quill::Vec3& cue = table.CachedPosition(0);
    EXPECT_FLOAT_EQ(cue.x, headX);
    EXPECT_GE(cue.y, 2.2f * 2.86f - 1e-4f);
    EXPECT_FLOAT_EQ(cue.z, 2.86f);
    EXPECT_EQ(table.Model()->Ball(0).pocketed, 0);
}

TEST_F(TablePhysicsTest, RespotListsAndSpotsFollowTheGameType) {
    const RackTable geometry{127.5f, 63.75f, 2.86f};
    TablePhysics table;
    Equip(table, type::kSnooker, kPoolTable, kPoolBalls);
    table.StartRack(3);
    table.Model()->Ball(0).pocketed = 1;
    table.Model()->Ball(21).pocketed = 6;
    table.Model()->Ball(5).pocketed = 2;  // a red stays down
    // The pink lies on the black's spot: the black takes the highest free colour spot, the pink's.
    const quill::Vec3 blackSpot = RackLayout::SnookerSpot(21, geometry);
    table.SetBallPosition(20, blackSpot.x, blackSpot.y, blackSpot.z);
    EXPECT_EQ(table.CollectRespotBalls(), 1u);
    EXPECT_THAT(std::vector<uint8_t>(table.RespotList().begin(), table.RespotList().end()),
                ::testing::ElementsAre(0, 21));
    EXPECT_EQ(table.StartRespot(), 1u);
    const quill::Vec3 pinkSpot = RackLayout::SnookerSpot(20, geometry);
    const quill::Vec3 dSpot = RackLayout::SnookerSpot(0, geometry);
    EXPECT_EQ(table.Model()->Ball(21).pocketed, 0);
    EXPECT_FLOAT_EQ(table.CachedPosition(21).x, pinkSpot.x);
    EXPECT_FLOAT_EQ(table.CachedPosition(21).y, pinkSpot.y);
    EXPECT_FLOAT_EQ(table.CachedPosition(21).z, 20.0f);  // dropped onto the cloth
    EXPECT_FLOAT_EQ(table.CachedPosition(0).x, dSpot.x);
    EXPECT_FLOAT_EQ(table.CachedPosition(0).y, dSpot.y);
    EXPECT_GE(RunShot(table), 0);  // the dropped balls come to rest
    EXPECT_NEAR(table.Model()->Ball(21).position.z, 2.86f, 0.01f);

    // Without reds the colours stay down.
    TablePhysics endgame;
    Equip(endgame, type::kSnooker, kPoolTable, kPoolBalls);
    endgame.StartRack(3);
    for (uint16_t red = 1; red <= 15; ++red) {
        endgame.Model()->Ball(red).pocketed = 3;
    }
    endgame.Model()->Ball(16).pocketed = 3;
    EXPECT_EQ(endgame.CollectRespotBalls(), 0u);

    // Carom games put back every ball that left the table.
    TablePhysics carom;
    Equip(carom, type::kThreeCushion, kCaromTable, kCaromBalls);
    carom.StartRack(3);
    carom.SetBallPosition(2, 400.0f, 0.0f, -68.0f);
    EXPECT_EQ(carom.CollectRespotBalls(), 1u);
    carom.StartRespot();
    EXPECT_TRUE(carom.Model()->Ball(2).IsInsideBounds(0.0f));
    EXPECT_FLOAT_EQ(carom.CachedPosition(2).x, 0.0f);  // the centre of the long axis first
}

TEST_F(TablePhysicsTest, StrikeClearsStaleEventsAndPlaysTheCue) {
    TablePhysics table;
    table.SetSound(&sound);
    Equip(table, type::kThreeCushion, kCaromTable, kCaromBalls);
    table.StartRack(9);
    // A miscue left over from elsewhere must not be taken for this stroke's.
    PhysicsEvent stale;
    stale.kind = PhysicsEventKind::Miscue;
    stale.strength = 0.9f;
    ThePhysicsEventList().Append(stale);

    const quill::Vec3 red = table.CachedPosition(2);
    const float value = table.Strike(Stroke(red.x, red.y, 0.5f));
    EXPECT_FLOAT_EQ(value, 0.0f);  // a centre-ball stroke
    ASSERT_FALSE(sound.sounds.empty());
    EXPECT_EQ(sound.sounds[0].id, 22u);
    EXPECT_FLOAT_EQ(sound.sounds[0].volume, 0.5f);
    EXPECT_EQ(table.RackShots(), 1u);
    EXPECT_FALSE(table.IsMasse());
}

TEST_F(TablePhysicsTest, TipOffsetsAreCorrectedForTheTipsRoundedEnd) {
    TablePhysics table;
    Equip(table, type::kThreeCushion, kCaromTable, kCaromBalls);
    table.StartRack(9);
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
    TablePhysics table;
    table.SetSound(&sound);
    Equip(table, type::kFourBall, kCaromTable, kCaromBalls);
    table.StartRack(77);
    table.SetTableState(Referee::kJudgingState);
    const quill::Vec3 red = table.CachedPosition(3);
    table.Strike(Stroke(red.x, red.y, 0.6f));
    ASSERT_GE(RunShot(table), 1);
    for (uint16_t ball = 0; ball < table.BallCount(); ++ball) {
        EXPECT_TRUE(table.Model()->Ball(ball).IsAtRest());
    }
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
    EXPECT_NE(
        std::find_if(sound.sounds.begin(), sound.sounds.end(), [](const test::PlayedSound& s) { return s.id == 9; }),
        sound.sounds.end());  // the balls were heard meeting
}

TEST_F(TablePhysicsTest, CutIntoTheCornerIsReportedAndScored) {
    TablePhysics table;
    Equip(table, type::kStraightPool, kPoolTable, kPoolBalls);
    table.StartRack(1);
    // Every object ball but one in a pocket; ball 1 in front of the corner pocket (maxX, maxY).
    const quill::Vec3 pocket{127.5f + 2.29f, 63.75f + 2.29f, -15.0f};
    for (uint16_t ball = 2; ball < table.BallCount(); ++ball) {
        table.SetBallFlag(ball, 6);
        table.SetBallPosition(ball, pocket.x, pocket.y, pocket.z);
    }
    const quill::Vec3 object{100.0f, 36.25f, 2.86f};
    table.SetBallPosition(1, object.x, object.y, object.z);
    // A 45 degree cut: the cue ball aims at the ghost ball, two radii short of the object ball on its line
    // to the pocket, and leaves the pocket's line after the contact.
    const float dx = pocket.x - object.x;
    const float dy = pocket.y - object.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    const float ghostX = object.x - dx / length * 2 * 2.86f;
    const float ghostY = object.y - dy / length * 2 * 2.86f;
    table.SetBallPosition(0, ghostX - 60.0f, ghostY, 2.86f);
    table.SetTableState(Referee::kJudgingState);
    table.Strike(Stroke(ghostX, ghostY, 0.35f));
    ASSERT_GE(RunShot(table), 1);

    const ShotAnalysis& shot = table.GetReferee().Analysis();
    EXPECT_EQ(shot.FirstBall(), 1);
    EXPECT_THAT(std::vector<uint8_t>(table.FirstList().begin(), table.FirstList().end()), ::testing::ElementsAre(1));
    EXPECT_EQ(table.GetFirstListCount(), 1);
    EXPECT_EQ(table.GetSecondListCounter(), 22);
    EXPECT_EQ(table.Model()->Ball(0).pocketed, 0);
    EXPECT_EQ(table.AnnounceShot(0), 1);

    quill::StraightPoolRule rule;
    quill::TeamState team;
    team.Reset(1);
    team.remaining = 50;
    EXPECT_TRUE(rule.EvaluateShot(&team, static_cast<int16_t>(shot.Code()), table.GetRuleValue(),
                                  static_cast<int8_t>(table.GetFirstListCount()), table.FirstList().data(), 0,
                                  nullptr));
    EXPECT_EQ(team.remaining, 40);
}

TEST_F(TablePhysicsTest, RequestedStopEndsTheNextStep) {
    TablePhysics table;
    Equip(table, type::kEightBall, kPoolTable, kPoolBalls);
    table.StartRack(2);
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

TEST_F(TablePhysicsTest, MiscueIsHeardAndAnnounced) {
    TablePhysics table;
    table.SetSound(&sound);
    Equip(table, type::kThreeCushion, kCaromTable, kCaromBalls);
    table.StartRack(9);
    table.SetTableState(Referee::kJudgingState);
    const quill::Vec3 red = table.CachedPosition(2);
    StrokeParameters stroke = Stroke(red.x, red.y, 0.8f);
    stroke.tipOffsetY = 0.9f;  // far up on the ball, with poor chalk
    stroke.strokeY = 0.9f;
    stroke.paramE = 1.0f;
    table.Strike(stroke);
    ASSERT_FALSE(ThePhysicsEventList().Empty());
    ASSERT_EQ(ThePhysicsEventList().Events().front().kind, PhysicsEventKind::Miscue);
    ASSERT_EQ(sound.sounds.size(), 2u);
    EXPECT_EQ(sound.sounds[0].id, 25u);
    EXPECT_EQ(sound.sounds[1].id, 22u);
    EXPECT_NEAR(sound.sounds[1].volume, 0.2f, 1e-6f);
    EXPECT_THAT(sound.VoiceIds(), ::testing::ElementsAre(63));
}

TEST_F(TablePhysicsTest, ContinuousRacks) {
    TablePhysics nine;
    Equip(nine, type::kNineBall, kPoolTable, kPoolBalls);
    nine.StartRack(6);
    for (uint16_t ball = 1; ball < nine.BallCount(); ++ball) {
        nine.Model()->Ball(ball).pocketed = 1;
    }
    nine.SetBallPosition(0, -20.0f, 10.0f, 2.86f);
    nine.ReRack(12);
    EXPECT_FLOAT_EQ(nine.CachedPosition(0).x, -20.0f);  // the cue ball stays where it was
    EXPECT_FLOAT_EQ(nine.CachedPosition(0).y, 10.0f);
    for (uint16_t ball = 1; ball < nine.BallCount(); ++ball) {
        EXPECT_EQ(nine.Model()->Ball(ball).pocketed, 0);
    }
    const quill::Vec3 apex = nine.CachedPosition(1);
    nine.SetBallPosition(0, apex.x - 1.0f, apex.y, apex.z);
    nine.ReRack(13);  // the new rack covers the cue ball: it goes to the head spot
    EXPECT_FLOAT_EQ(nine.CachedPosition(0).x, -127.5f / 2);

    TablePhysics straight;
    Equip(straight, type::kStraightPool, kPoolTable, kPoolBalls);
    straight.StartRack(6);
    straight.ReRackAround(7, 21);
    EXPECT_EQ(straight.GetBallAtPosition(1), 7u);
    EXPECT_FLOAT_EQ(straight.CachedPosition(7).x, 3 * 63.75f - 127.5f);
    EXPECT_FLOAT_EQ(straight.CachedPosition(7).y, 0.0f);
}

TEST_F(TablePhysicsTest, JudgementOnlyInTheJudgingStateAndSnookerGroupWithoutBalls) {
    TablePhysics table;
    Equip(table, type::kSnooker, kPoolTable, kPoolBalls);
    table.StartRack(1);
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
    TablePhysics first;
    Equip(first, type::kThreeCushion, kCaromTable, kCaromBalls);
    first.StartRack(4);
    first.SetBallFlag(2, 1);
    const quill::Vec3 cue = first.CachedPosition(0);

    TablePhysics second;  // the same shared model, now with another game and ball set
    Equip(second, type::kEightBall, kPoolTable, kPoolBalls);
    second.StartRack(8);
    ASSERT_EQ(first.Model(), second.Model());
    EXPECT_EQ(first.Model()->BallCount(), 16);

    first.PrepareModel();
    EXPECT_EQ(first.Model()->BallCount(), 3);
    EXPECT_FLOAT_EQ(first.Model()->Ball(0).radiusCm, 3.275f);
    EXPECT_FLOAT_EQ(first.Model()->Geometry().noseMaxX, 120.0f);
    EXPECT_TRUE(first.Model()->Ball(0).position.Equals(cue));
    EXPECT_EQ(first.Model()->Ball(2).pocketed, 1);
    first.SnapshotBalls();
    EXPECT_TRUE(first.CachedPosition(0).Equals(cue));

    second.SnapshotBalls();  // the second prepares in its turn, before it copies the balls
    EXPECT_EQ(second.Model()->BallCount(), 16);
    EXPECT_FLOAT_EQ(second.Model()->Geometry().noseMaxX, 127.5f);
    EXPECT_FLOAT_EQ(second.Model()->Ball(0).radiusCm, 2.86f);
    for (uint16_t ball = 0; ball < 16; ++ball) {
        EXPECT_TRUE(second.CachedPosition(ball).Equals(second.Model()->Ball(ball).position));
        EXPECT_TRUE(second.Model()->Ball(ball).IsInsideBounds(0.0f)) << ball;
    }

    // An owned model is the holder's alone: only the shared constants are set up again.
    TablePhysics owner;
    owner.SetModel(kDefaultPhysicsModelCode, 1);
    Equip(owner, type::kFourBall, kCaromTable, kCaromBalls);
    owner.StartRack(5);
    owner.Model()->Ball(1).pocketed = 3;  // written past the holder: an owned model keeps it
    second.PrepareModel();
    owner.PrepareModel();
    EXPECT_EQ(owner.Model()->Ball(1).pocketed, 3);
}

}  // namespace
}  // namespace kestrovan
