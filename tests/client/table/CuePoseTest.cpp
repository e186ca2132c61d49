#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/TableGeometry.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CueClearance.h"
#include "client/table/CuePose.h"
#include "client/table/GameTable.h"
#include "client/table/ShotClassification.h"
#include "client/table/TableAim.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::Vec3;

// A cue at the origin pointing toward -x (the butt side), its tip 8 behind, striking at the centre.
CueLine StraightCue(float height = 0.0f) {
    CueLine line;
    line.start = {0.0f, 0.0f, 3.0f};
    line.direction = {-1.0f, 0.0f, 0.0f};
    line.offset = -8.0f;
    line.height = height;
    return line;
}

TEST(CueClearance, BallsBehindTheCueRaiseIt) {
    const CueLine cue = StraightCue();
    float largest = 0.05f;
    // Level with the start, in front of the cue, or far to the side: nothing.
    CueClearanceBall(cue, {0.0f, 10.0f, 3.0f}, 3.0f, largest);
    CueClearanceBall(cue, {30.0f, 0.0f, 3.0f}, 3.0f, largest);
    CueClearanceBall(cue, {-20.0f, 8.0f, 3.0f}, 3.0f, largest);
    EXPECT_EQ(largest, 0.05f);

    // On the line 20 behind: the cone there is (20 - 8) x 1.014 / 137 + 0.602 wide, plus the ball.
    CueClearanceBall(cue, {-20.0f, 0.0f, 3.0f}, 3.0f, largest);
    const float c = 12.0f * 1.014f / 137.0f + 0.602f + 3.0f;
    EXPECT_NEAR(largest, std::asin(c / 20.0f), 1e-6);
    // A lower angle never lowers it.
    const float before = largest;
    CueClearanceBall(cue, {-60.0f, 0.0f, 3.0f}, 3.0f, largest);
    EXPECT_EQ(largest, before);

    // A ball at the cue's very start would ask for a sine above 1: the cue stands upright, not NaN.
    float touching = 0.0f;
    CueClearanceBall(cue, {-0.5f, 0.0f, 3.0f}, 3.0f, touching);
    EXPECT_FLOAT_EQ(touching, quill::kHalfPi);
}

TEST(CueClearance, RailsBehindTheCueBallAndPocketOpenings) {
    TableGeometry geometry;
    InitTableGeometry(0, &geometry);
    // A cue ball 5 from the far rail, aimed at the table's centre: the stick passes over that rail.
    CueLine cue = StraightCue();
    cue.start = {geometry.noseMaxX - 5.0f, 0.0f, 3.075f};
    cue.direction = {1.0f, 0.0f, 0.0f};
    float largest = 0.0f;
    CueClearanceRails(cue, geometry, false, largest);
    EXPECT_GT(largest, 0.0f);
    EXPECT_LT(largest, quill::kHalfPi);
    // From the centre, the rail is far enough away for a level cue.
    cue.start = {0.0f, 0.0f, 3.075f};
    float centre = 0.0f;
    CueClearanceRails(cue, geometry, false, centre);
    EXPECT_LT(centre, largest);

    // On a pocket table a cue over the middle pocket's opening meets no rail there.
    TableGeometry pool;
    InitTableGeometry(1, &pool);
    CueLine overPocket = StraightCue();
    overPocket.start = {0.0f, pool.noseMaxY - 4.0f, 2.86f};
    overPocket.direction = {0.0f, 1.0f, 0.0f};
    float open = 0.0f;
    CueClearanceRails(overPocket, pool, true, open);
    EXPECT_EQ(open, 0.0f);
    float closed = 0.0f;
    CueClearanceRails(overPocket, pool, false, closed);
    EXPECT_GT(closed, 0.0f);
}

TEST(CueClearance, TipContactDepth) {
    EXPECT_EQ(CueTipContactDepth(0.0f, 0.0f, 0.65f, 3.0f, 3.0f), 0.0f);
    // A flat tip: the depth of the ball's surface at that offset.
    EXPECT_NEAR(CueTipContactDepth(0.6f, 0.0f, 0.0f, 3.0f, 3.0f), 0.6f, 1e-6);
    // The rounded tip meets the ball closer to its centre; worked by hand: 0.071263 + 0.122934.
    EXPECT_NEAR(CueTipContactDepth(0.5f, 0.0f, 0.65f, 3.0f, 3.0f), 0.194197f, 1e-5);
}

TEST(CuePose, StickBehindTheBallAlongTheAim) {
    CueAim aim;
    aim.cueBall = {10.0f, 0.0f, 3.0f};
    aim.radius = 3.0f;
    aim.yaw = quill::kHalfPi;  // aiming toward +y
    aim.elevation = 0.0f;
    aim.pullBack = -3.0f;
    const quill::Transform stick = CuePose::StickTransform(aim);
    // The tip stands behind the ball's back (radius) and drawn back by 3, raised by 0.2.
    EXPECT_NEAR(stick.position.x, 10.0f, 1e-5);
    EXPECT_NEAR(stick.position.y, -6.0f, 1e-5);
    EXPECT_NEAR(stick.position.z, 3.2f, 1e-5);
    // The model runs from its tip along +x to the butt: the butt lies behind the ball, away from the aim.
    Vec3 butt{145.0f, 0.0f, 0.0f};
    butt.Rotate(stick.rotation);
    EXPECT_NEAR(butt.x, 0.0f, 1e-3);
    EXPECT_NEAR(butt.y, -145.0f, 1e-3);
    EXPECT_NEAR(butt.z, 0.0f, 1e-3);

    // Raised by the elevation, the butt rises behind the ball and the tip keeps to the aim line.
    aim.yaw = 0.0f;
    aim.elevation = quill::DegreesToRadians(30.0f);
    const quill::Transform raised = CuePose::StickTransform(aim);
    butt = {100.0f, 0.0f, 0.0f};
    butt.Rotate(raised.rotation);
    EXPECT_NEAR(butt.x, -100.0f * std::cos(aim.elevation), 1e-3);
    EXPECT_NEAR(butt.y, 0.0f, 1e-3);
    EXPECT_NEAR(butt.z, 50.0f, 1e-3);
    EXPECT_LT(raised.position.x, aim.cueBall.x);
    aim.elevation = 0.0f;
    aim.yaw = quill::kHalfPi;

    // Laid aside along the aim, measured from the bed edge it meets (y = 60 on a 120-wide bed).
    const quill::Transform aside = CuePose::LaidAsideTransform(aim, 120.0f, 60.0f);
    EXPECT_NEAR(aside.position.y, 60.0f + 60.0f * std::atan(-1.0471976f) + 40.0f, 1e-4);
    EXPECT_NEAR(aside.position.x, 10.0f, 1e-4);
}

TEST(ShotClassification, ClassesAndStrongStrokes) {
    ShotRecord record;
    record.powerCap = 1.0f;
    record.power = 0.5f;
    record.paramC = 5.0f;
    EXPECT_EQ(ShotClassification::Classify(record).kind, ShotClass::kCentre);
    record.tipOffsetX = 0.3f;
    const ShotClass side = ShotClassification::Classify(record);
    EXPECT_EQ(side.kind, ShotClass::kSide);
    EXPECT_EQ(side.kindValue, 9);  // (0.3 - 0.1) / 0.4 x 19
    record.tipOffsetY = -0.45f;
    const ShotClass low = ShotClassification::Classify(record);
    EXPECT_EQ(low.kind, ShotClass::kLow);
    EXPECT_EQ(low.kindValue, 44);  // (0.45 - 0.1) / 0.4 x 51
    record.tipOffsetX = 0.25f;
    record.tipOffsetY = 0.0f;
    record.paramC = 35.0f;
    const ShotClass elevated = ShotClassification::Classify(record);
    EXPECT_EQ(elevated.kind, ShotClass::kElevated);
    EXPECT_EQ(elevated.kindValue, 31);  // (0.5 + 0.25) x (35 / 70) x 83
    record.power = 0.9f;
    const ShotClass strong = ShotClassification::Classify(record);
    EXPECT_EQ(strong.kind, ShotClass::kElevated + ShotClass::kStrong);
    EXPECT_EQ(strong.powerValue, 12);  // (0.9 - 0.7) / 0.3 x 19
}

TEST(ShotClassification, StrokeValuesFollowTheStrikePoint) {
    ShotRecord record;
    record.power = 0.5f;
    record.paramG = 0.2f;  // no follow-through beyond half: positive values shrink to nothing
    record.tipOffsetX = 0.3f;
    record.tipOffsetY = -0.4f;
    record.strokeX = 0.6f;
    record.strokeY = 0.0f;
    ShotClassification::ShapeStroke(record);
    EXPECT_FLOAT_EQ(record.strokeX, 0.3f);
    EXPECT_FLOAT_EQ(record.strokeY, -0.4f);
    // A long pair is cut to length 1.
    record.tipOffsetX = 0.7f;
    record.tipOffsetY = 0.7f;
    record.strokeX = -3.0f;
    record.strokeY = -3.0f;
    ShotClassification::ShapeStroke(record);
    EXPECT_NEAR(std::hypot(record.strokeX, record.strokeY), 1.0f, 1e-6);
}

class TableCuePoseTest : public ::testing::Test, protected test::TableFixture {};

TEST_F(TableCuePoseTest, ElevationClearsTheBallsAndIsWrittenInDegrees) {
    Equip(type::kThreeCushion);
    test::RecordingModel& cue = ShowCueModel();
    TablePhysics& physics = table->Physics();
    const float r = physics.BallRadius();
    physics.SetBallPosition(0, 0.0f, 0.0f, r);
    physics.SetBallPosition(1, 80.0f, 40.0f, r);
    physics.SetBallPosition(2, -80.0f, 40.0f, r);
    table->Aim().Pose().SetYawDegrees(0.0f);  // aiming toward +x: the butt lies toward -x
    table->Aim().UpdateCueModel();
    EXPECT_EQ(table->Aim().Pose().elevation, CameraState::kDefaultElevation);
    EXPECT_EQ(cue.placements, 1);

    // A ball close behind the cue ball lifts the cue; the copy stays the player's.
    physics.SetBallPosition(2, -3.0f * r, 0.0f, r);
    table->Aim().UpdateCueModel();
    EXPECT_GT(table->Aim().Pose().elevation, 10.0f);
    EXPECT_LT(table->Aim().Pose().elevation, 90.0f);
    EXPECT_EQ(table->Aim().Pose().elevationCopy, CameraState::kDefaultElevation);

    // Touching the cue's start: upright at most, never NaN.
    physics.SetBallPosition(2, -2.0f * r, 0.0f, r);
    table->Aim().UpdateCueModel();
    EXPECT_TRUE(std::isfinite(table->Aim().Pose().elevation));
    EXPECT_LE(table->Aim().Pose().elevation, 90.0f + 1e-3f);
    EXPECT_TRUE(std::isfinite(cue.placement.position.x));
}

TEST_F(TableCuePoseTest, AimingPlayerAimsWhereTheCameraLooks) {
    Equip(type::kThreeCushion);
    table->Physics().SetBallPosition(0, 0.0f, 0.0f, 3.075f);
    table->Turn().SetAimFollowsCamera(true);
    // The aiming camera behind the near long rail looks toward +y.
    table->Aim().UpdateCueModel();
    EXPECT_NEAR(table->Aim().Pose().aimYaw, 90.0f, 1e-3);
    EXPECT_NEAR(table->Aim().Pose().aimPointY, 1000.0f, 1e-2);
}

}  // namespace
}  // namespace kestrovan
