// The cue strike of the 10010 series and the stroke's frame.
#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsModel10010.h"
#include "client/physics/StrokeFrame.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

bool IsFinite(const quill::Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

class CueStrikeTest : public PhysicsTest {
protected:
    void SetUp() override {
        PhysicsTest::SetUp();
        model_ = MakeModel(0x10014, 0, {{0.0f, 0.0f}}, 1);  // ball set 1: 0.21 kg, 3.05 cm
    }
    PhysicsBall& Ball() { return model_->Ball(0); }
    PhysicsBall& Strike(const CueStroke& stroke) {
        model_->Strike(Ball(), stroke);
        return Ball();
    }
    static CueStroke Stroke(float power, float contactX = 0.0f, float contactY = 0.0f, float limitFactor = 0.0f) {
        CueStroke stroke;
        stroke.aimX = 100.0f;
        stroke.power = power;
        stroke.contactX = stroke.spinX = contactX;
        stroke.contactY = stroke.spinY = contactY;
        stroke.limitFactor = limitFactor;
        return stroke;
    }

    std::unique_ptr<PhysicsModel> model_;
};

TEST_F(CueStrikeTest, ACentreHitGivesTheBallOneAndAHalfTimesTheCueSpeed) {
    const PhysicsBall& ball = Strike(Stroke(0.5f));
    const float expected = 1.538f * TheModelConstants().CueSpeedScale * 0.5f;
    EXPECT_NEAR(ball.cueLinear.x, expected, 0.01f * expected);
    EXPECT_NEAR(ball.cueLinear.y, 0.0f, 1e-5f);
    EXPECT_EQ(ball.cueLinear.z, 0.0f);
    EXPECT_NEAR(ball.velocity.Length(), 0.0f, 1e-6f) << "a flat centre hit gives no vertical velocity";
    EXPECT_NEAR(ball.cueAngular.Length(), 0.0f, 1e-3f);
    EXPECT_EQ(ball.cueActive, 1);
    EXPECT_FLOAT_EQ(ball.cueDuration, 2.0f * 0.009f);
    EXPECT_EQ(ball.cueTimeLeft, ball.cueDuration);
    EXPECT_FLOAT_EQ(ball.cuePhaseRate, 3.1415927f / 0.018f);
    EXPECT_TRUE(ThePhysicsEventList().Empty());
    EXPECT_EQ(dynamic_cast<PhysicsModel10010&>(*model_).TuningFields().spinStopFactor, 1.5f);
}

TEST_F(CueStrikeTest, AnAimOnTheBallsCentreDoesNothing) {
    CueStroke stroke = Stroke(1.0f);
    stroke.aimX = 0.0f;
    const PhysicsBall& ball = Strike(stroke);
    EXPECT_EQ(ball.cueActive, 0);
    EXPECT_TRUE(ball.cueLinear.Equals(quill::kZeroVector));
    stroke.aimX = std::nanf("");
    Strike(stroke);
    EXPECT_EQ(ball.cueActive, 0);
}

TEST_F(CueStrikeTest, TopSpinRollsTheBallForward) {
    const PhysicsBall& ball = Strike(Stroke(0.5f, 0.0f, 0.4f));
    EXPECT_TRUE(ThePhysicsEventList().Empty()) << "no miscue below the limit";
    EXPECT_GT(ball.cueLinear.x, 0.0f);
    // Rolling forward along +x means spin about +y.
    EXPECT_GT(ball.cueAngular.y, 0.0f);
    EXPECT_TRUE(IsFinite(ball.cueAngular));
}

TEST_F(CueStrikeTest, ASpinOffsetBeyondTheContactScalesTheSpin) {
    const quill::Vec3 plain = Strike(Stroke(0.5f, 0.2f, 0.0f)).cueAngular;
    CueStroke stroke = Stroke(0.5f, 0.2f, 0.0f);
    stroke.spinX = 0.4f;
    const quill::Vec3 doubled = Strike(stroke).cueAngular;
    EXPECT_EQ(doubled.x, 2.0f * plain.x);
    EXPECT_EQ(doubled.z, 2.0f * plain.z);
    EXPECT_EQ(doubled.y, plain.y);
}

TEST_F(CueStrikeTest, APartialMiscueRecordsOneEventAndSkipsTheContact) {
    const PhysicsBall& ball = Strike(Stroke(0.5f, 0.47f, 0.0f, 1.0f));
    ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
    const PhysicsEvent& event = ThePhysicsEventList().Events()[0];
    EXPECT_EQ(event.kind, PhysicsEventKind::Miscue);
    EXPECT_GT(event.strength, 0.0f);
    EXPECT_LE(event.strength, 1.0f);
    EXPECT_EQ(event.ball, 0);
    EXPECT_TRUE(event.vector.Equals(quill::kZeroVector));
    EXPECT_TRUE(ball.velocity.Equals(quill::kZeroVector)) << "no contact simulation after a miscue";
    EXPECT_EQ(ball.cueActive, 1);
    EXPECT_TRUE(IsFinite(ball.cueLinear));
    EXPECT_GT(ball.cueLinear.Length(), 0.0f);
}

TEST_F(CueStrikeTest, WithoutALimitFactorTheTenFourteenModelNeverMiscues) {
    Strike(Stroke(0.5f, 0.9f, 0.0f, 0.0f));
    EXPECT_TRUE(ThePhysicsEventList().Empty());
}

TEST_F(CueStrikeTest, AnOffsetBeyondTheEdgeIsTakenAtTheEdge) {
    // The tip's offset beyond one radius would take the root of a negative number and kill the stroke.
    const PhysicsBall& ball = Strike(Stroke(0.5f, 1.2f, 0.0f, 0.0f));
    EXPECT_TRUE(IsFinite(ball.cueLinear));
    EXPECT_TRUE(IsFinite(ball.cueAngular));
    EXPECT_GT(ball.cueLinear.x, 0.0f);

    Strike(Stroke(0.5f, 1.2f, 0.0f, 1.0f));
    ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
    EXPECT_EQ(ThePhysicsEventList().Events()[0].strength, 1.0f) << "a whole miscue";
    EXPECT_TRUE(IsFinite(ball.cueLinear));
}

TEST_F(CueStrikeTest, AStrokeWithoutPowerLeavesTheBallStill) {
    const PhysicsBall& ball = Strike(Stroke(0.0f, 0.5f, 0.3f, 1.0f));
    EXPECT_TRUE(IsFinite(ball.cueLinear));
    EXPECT_TRUE(IsFinite(ball.cueAngular));
    EXPECT_TRUE(IsFinite(ball.velocity));
    EXPECT_EQ(ball.cueLinear.Length(), 0.0f);
}

TEST_F(CueStrikeTest, AnElevatedCueDrivesTheBallIntoTheBed) {
    CueStroke stroke = Stroke(0.6f, 0.0f, -0.3f);
    stroke.elevation = 0.5f;
    const PhysicsBall& ball = Strike(stroke);
    EXPECT_TRUE(IsFinite(ball.velocity));
    EXPECT_NE(ball.velocity.z, 0.0f) << "the bed's push acts at once";
    EXPECT_GT(ball.cueLinear.x, 0.0f);
}

TEST(StrokeFrameTest, TheFrameStaysDefinedUpToAVerticalCue) {
    for (const float elevation : {0.0f, 0.5f, 0.8f, 1.2f, 1.5707964f}) {
        for (const bool normaliseUp : {false, true}) {
            const StrokeFrame frame = StrokeFrame::Build(30.0f, 40.0f, 50.0f, elevation, normaliseUp);
            EXPECT_NEAR(frame.direction.Length(), 1.0f, 1e-6f) << elevation;
            EXPECT_NEAR(frame.side.Length(), 1.0f, 1e-6f) << elevation;
            EXPECT_NEAR(frame.up.Length(), 1.0f, 1e-6f) << elevation;
            EXPECT_NEAR(frame.side.z, 0.0f, 1e-6f) << "the side axis is horizontal";
            EXPECT_NEAR(quill::Vec3::Dot(frame.direction, frame.up), 0.0f, 1e-6f);
            EXPECT_LE(frame.direction.z, 0.0f) << "the cue points down";
        }
    }
}

}  // namespace
}  // namespace kestrovan::test
