// What every version of the cue strike shares (the centre hit's share of the cue speed, the miscue, the guards on
// the stroke's numbers), the strike of the 10010 series, and the stroke's frame.
#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/ModelConstants.h"
#include "client/physics/StrokeFrame.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

// One code of each strike version: 1 (the heavier cue, and the lighter), 2, 3, 4, 5, 6, 7, and the 10010 series.
constexpr uint32_t kStrikeCodes[] = {0x10001, 0x10004, 0x10005, 0x10006, 0x10007, 0x10008, 0x1000C, 0x1000E, 0x10014};

class CueStrikeTest : public StrikeTest {};

TEST_F(CueStrikeTest, ACentreHitGivesEachVersionItsShareOfTheCueSpeed) {
    struct Case {
        uint32_t code;
        float share;         // of CueSpeedScale x power
        float tolerance;     // relative: the formula exactly, or the simulated contact
        float contactTimes;  // of StrikeTimeBase
    };
    const float light = CentreHitShare(0.7f, 0.21f);
    const Case cases[] = {
        {0x10001, CentreHitShare(1.0f, 0.21f), 1e-6f, 5.0f},  // version 1, the heavier cue
        {0x10004, light, 1e-6f, 5.0f},                        // version 1
        {0x10005, light, 0.005f, 5.0f},                       // versions 2 to 4: the ball's own mass
        {0x10006, light, 0.005f, 5.0f},
        {0x10007, light, 0.005f, 5.0f},
        {0x10008, CentreHitShare(0.7f, 0.25f), 0.005f, 5.0f},  // versions 5 and 6 move the ball as 0.25 kg
        {0x1000C, CentreHitShare(0.7f, 0.25f), 0.005f, 5.0f},
        {0x1000E, light, 0.005f, 5.0f},  // version 7
        {0x10014, light, 0.01f, 2.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << c.code);
        const PhysicsBall& ball = Strike(c.code, Stroke(0.5f));
        const float expected = c.share * TheModelConstants().CueSpeedScale * 0.5f;
        EXPECT_NEAR(ball.cueLinear.x, expected, c.tolerance * expected);
        EXPECT_NEAR(ball.cueLinear.y, 0.0f, 1e-5f);
        EXPECT_NEAR(ball.cueLinear.z, 0.0f, 1e-5f);
        EXPECT_NEAR(ball.velocity.z, 0.0f, 1e-5f) << "a flat centre hit does not lift the ball";
        EXPECT_NEAR(ball.cueAngular.Length(), 0.0f, 1e-3f);
        const float duration = c.contactTimes * TheModelConstants().StrikeTimeBase;
        EXPECT_FLOAT_EQ(ball.cueDuration, duration);
        EXPECT_EQ(ball.cueTimeLeft, ball.cueDuration);
        EXPECT_FLOAT_EQ(ball.cuePhaseRate, 3.1415927f / duration);
        EXPECT_EQ(ball.cueActive, c.code <= 0x10004 ? 0 : 1) << "the first version leaves the flag alone";
        EXPECT_TRUE(ThePhysicsEventList().Empty());
    }
}

TEST_F(CueStrikeTest, AnAimOnTheBallsCentreOrNoPowerStrikesNothing) {
    for (const uint32_t code : kStrikeCodes) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        for (const float aim : {0.0f, std::nanf("")}) {
            CueStroke stroke = Stroke(1.0f);
            stroke.aimX = aim;
            const PhysicsBall& ball = Strike(code, stroke);
            EXPECT_EQ(ball.cueTimeLeft, 0.0f);
            EXPECT_TRUE(ball.cueLinear.Equals(quill::kZeroVector));
            EXPECT_EQ(ball.cueActive, 0);
        }
        const PhysicsBall& still = Strike(code, Stroke(0.0f, 0.3f, 0.5f, 0.3f, 1.0f));
        EXPECT_EQ(still.cueLinear.Length(), 0.0f);
        EXPECT_TRUE(IsFinite(still.cueAngular));
        EXPECT_TRUE(IsFinite(still.velocity));
    }
}

TEST_F(CueStrikeTest, OffsetsBeyondTheBallsEdgeAreTakenAtTheEdge) {
    // Beyond one radius the tip's height over the contact would be the root of a negative number.
    for (const uint32_t code : kStrikeCodes) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        CueStroke beyond = Stroke(0.7f, 0.3f, 1.3f);
        beyond.spinX = 0.2f;
        CueStroke edge = beyond;
        edge.contactX = 1.0f;
        const PhysicsBall& a = Strike(code, beyond);
        const quill::Vec3 linear = a.cueLinear;
        const quill::Vec3 angular = a.cueAngular;
        const PhysicsBall& b = Strike(code, edge);
        EXPECT_TRUE(IsFinite(linear));
        EXPECT_GT(linear.x, 0.0f);
        EXPECT_TRUE(linear.Equals(b.cueLinear));
        EXPECT_TRUE(angular.Equals(b.cueAngular));

        // A spin offset beyond the edge leaves no contact normal, and no NaN.
        CueStroke spin = Stroke(0.7f, 0.3f);
        spin.spinX = 1.5f;
        const PhysicsBall& c = Strike(code, spin);
        EXPECT_TRUE(IsFinite(c.cueLinear));
        EXPECT_TRUE(IsFinite(c.cueAngular));
        EXPECT_TRUE(IsFinite(c.velocity));
    }
}

TEST_F(CueStrikeTest, APartialMiscueRecordsOneEventAndSkipsTheContact) {
    struct Case {
        uint32_t code;
        float clean;   // the ball's speed of a clean centre hit
        float offset;  // between the miscue limits of limit factor 1
    };
    const float share = CentreHitShare(0.7f, 0.21f);
    for (const Case c : {Case{0x1000E, share * 4.4f * 0.5f, 0.714f}, Case{0x10014, share * 3.7f * 0.5f, 0.47f}}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << c.code);
        const PhysicsBall& ball = Strike(c.code, Stroke(0.5f, 0.0f, c.offset, 0.0f, 1.0f));
        ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
        const PhysicsEvent& event = ThePhysicsEventList().Events()[0];
        EXPECT_EQ(event.kind, PhysicsEventKind::Miscue);
        EXPECT_EQ(event.ball, 0);
        EXPECT_GT(event.strength, 0.0f);
        EXPECT_LT(event.strength, 1.0f);
        EXPECT_TRUE(ball.velocity.Equals(quill::kZeroVector)) << "no simulated contact after a miscue";
        EXPECT_GT(ball.cueLinear.Length(), 0.0f);
        EXPECT_LT(ball.cueLinear.Length(), c.clean) << "the slipping tip loses power";
        EXPECT_EQ(ball.cueActive, 1);

        Strike(c.code, Stroke(0.5f, 0.0f, 0.9f));
        EXPECT_TRUE(ThePhysicsEventList().Empty()) << "without a limit factor no offset miscues";
    }
    Strike(0x10014, Stroke(0.5f, 0.0f, 1.2f, 0.0f, 1.0f));
    ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
    EXPECT_EQ(ThePhysicsEventList().Events()[0].strength, 1.0f) << "beyond the edge: a whole miscue";
}

TEST_F(CueStrikeTest, ASpinOffsetBeyondTheContactScalesTheSpin) {
    const quill::Vec3 plain = Strike(0x10014, Stroke(0.5f, 0.0f, 0.2f)).cueAngular;
    CueStroke stroke = Stroke(0.5f, 0.0f, 0.2f);
    stroke.spinX = 0.4f;
    const quill::Vec3 doubled = Strike(0x10014, stroke).cueAngular;
    EXPECT_EQ(doubled.x, 2.0f * plain.x);
    EXPECT_EQ(doubled.z, 2.0f * plain.z);
    EXPECT_EQ(doubled.y, plain.y);
}

TEST_F(CueStrikeTest, AnElevatedCueDrivesTheBallIntoTheBed) {
    const PhysicsBall& ball = Strike(0x10014, Stroke(0.6f, 0.5f, 0.0f, -0.3f));
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
