// The seven versions of the 10001 series' cue strike and the simulated contact of versions 2 to 7.
#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/ModelConstants.h"
#include "client/physics/StrikeContact.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class CueStrike10001Test : public StrikeTest {};

TEST_F(CueStrike10001Test, TheContactTimeGrowsWithPowerByTheVersionsGain) {
    CueStroke stroke = Stroke(1.0f);
    stroke.contactTimeFactor = 1.0f;
    for (const auto& [code, gain] : {std::pair{0x10007u, 0.2f}, {0x10008u, 0.2f}, {0x10009u, 0.4f}, {0x1000Fu, 0.4f}}) {
        EXPECT_FLOAT_EQ(Strike(code, stroke).cueDuration, 5.0f * (gain * 1.0f + 1.0f) * 0.0025f) << std::hex << code;
    }
}

TEST_F(CueStrike10001Test, TheFirstVersionsBedReboundOfAnElevatedCentreHit) {
    const float k12 = 0.5f;  // the 10001 set-up's bed restitution
    const float speed = 4.3f * 0.5f * CentreHitShare(1.0f, 0.21f);
    // The bed returns -K12 x the stroke's vertical part, reflected about the contact normal.
    for (const float elevation : {0.3f, 1.0f}) {
        SCOPED_TRACE(elevation);
        const float s = std::sin(elevation);
        const float c = std::cos(elevation);
        const float returned = k12 * s * speed;
        const float vertical = 1.0f - 2.0f * s * s;
        const PhysicsBall& ball = Strike(0x10001, Stroke(0.5f, elevation));
        EXPECT_EQ(ball.cueLinear.y, 0.0f);
        if (vertical > 0.0f) {  // flatter than 45 degrees: the ball leaves the bed
            EXPECT_NEAR(ball.cueLinear.z, vertical * returned, 1e-5f);
            EXPECT_NEAR(ball.cueLinear.x, c * speed + (1.0f - 2.0f * c * s) * returned * c, 1e-5f);
        } else {  // steeper: the return still points down; it is absorbed and the along part shrinks with it
            const float absorbed = 1.0f + 0.5f * k12 * vertical;
            EXPECT_EQ(ball.cueLinear.z, 0.0f);
            EXPECT_NEAR(ball.cueLinear.x, c * speed + (1.0f - 2.0f * c * s) * returned / absorbed * c, 1e-5f);
        }
    }
    {
        // A ball in the air gets no rebound.
        PhysicsBall& ball = Place(0x10001);
        ball.position.z = 10.0f;
        model_->Strike(ball, Stroke(0.5f, 0.3f));
        EXPECT_NEAR(ball.cueLinear.z, -std::sin(0.3f) * speed, 1e-5f);
    }
}

TEST_F(CueStrike10001Test, TheFirstVersionsReboundRaisesTheSpin) {
    CueStroke stroke = Stroke(0.5f);
    stroke.spinY = 0.4f;  // a high hit: spin only, so the miscue test does not run
    const quill::Vec3 flat = Strike(0x10002, stroke).cueAngular;
    stroke.elevation = 0.4f;
    const quill::Vec3 raised = Strike(0x10002, stroke).cueAngular;
    ASSERT_GT(flat.Length(), 1.0f);
    const float gain = raised.Length() / flat.Length();
    EXPECT_GT(gain, 1.0f);
    EXPECT_LT(gain, 3.0f) << "1 + 2 hz^2 with hz the contact normal's height";
}

TEST_F(CueStrike10001Test, TheFirstVersionsWeakenALowHitByCode) {
    CueStroke stroke = Stroke(0.8f, 0.2f);
    stroke.spinY = -0.5f;
    const float plain = Strike(0x10002, stroke).cueAngular.Length();
    const float weaker = Strike(0x10003, stroke).cueAngular.Length();
    const float byPower = Strike(0x10004, stroke).cueAngular.Length();
    EXPECT_LT(weaker, plain);
    EXPECT_LT(byPower, plain);
    EXPECT_NE(weaker, byPower);
    // A high hit is left as it is.
    stroke.spinY = 0.5f;
    EXPECT_EQ(Strike(0x10003, stroke).cueAngular.Length(), Strike(0x10002, stroke).cueAngular.Length());
}

TEST_F(CueStrike10001Test, AnOffsetBeyondTheLimitFromTheStartIsAFullStrokeWithoutAnEvent) {
    for (const uint32_t code : {0x10001u, 0x10005u, 0x1000Eu}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        CueStroke stroke = Stroke(0.5f);
        stroke.contactX = 0.95f;  // beyond 0.75, the limit of limit factor 1
        stroke.limitFactor = 1.0f;
        const PhysicsBall& ball = Strike(code, stroke);
        const float cueMass = code == 0x10001 ? 1.0f : 0.7f;
        const float expected = TheModelConstants().CueSpeedScale * 0.5f * CentreHitShare(cueMass, 0.21f);
        EXPECT_NEAR(ball.cueLinear.x, expected, 1e-6f * expected) << "full power, by the formula";
        EXPECT_TRUE(ThePhysicsEventList().Empty());
        EXPECT_TRUE(ball.velocity.Equals(quill::kZeroVector)) << "no simulated contact";
    }
}

TEST_F(CueStrike10001Test, TheNewestVersionPressesTheClothOnlyUnderARestingBall) {
    const CueStroke stroke = Stroke(0.6f, 0.4f);
    EXPECT_GT(Strike(0x1000E, stroke).velocity.z, 0.0f) << "the cloth throws the ball up";
    PhysicsBall& airborne = Place(0x1000E);
    airborne.position.z += 1.0f;
    model_->Strike(airborne, stroke);
    EXPECT_LT(airborne.velocity.z, 0.0f) << "nothing pushes back";

    // The fifth version presses the cloth whatever the ball's height.
    PhysicsBall& older = Place(0x10008);
    older.position.z += 1.0f;
    model_->Strike(older, stroke);
    EXPECT_GT(older.velocity.z, 0.0f);
}

class StrikeContactTest : public PhysicsTest {
protected:
    // An elevated centre hit on a 0.21 kg ball lying on the cloth.
    static StrikeContactInput Input(float elevation) {
        StrikeContactInput input;
        input.direction = quill::Vec3{std::cos(elevation), 0.0f, -std::sin(elevation)};
        input.normal = input.direction;
        input.cueSpeed = 3.0f;
        input.cueMass = 0.7f;
        input.compliance = 100.0f;
        input.contactTime = 0.0025f;
        input.ballMass = 0.21f;
        input.radiusM = 0.0305f;
        input.inertiaArm = 0.4f * 0.0305f;
        input.clothFriction = 0.2f;
        input.onCloth = true;
        return input;
    }
};

TEST_F(StrikeContactTest, TheSecondAndThirdVersionsStopAfterOneAndAHalfContactTimes) {
    for (const int version : {2, 3}) {
        const StrikeContactResult result =
            StrikeContact(StrikeContactForm::OfVersion(version, false), Input(0.8f)).Run();
        EXPECT_LE(result.steps, 1501u) << "at most 1.5 Tc in steps of Tc / 1000";
        EXPECT_GE(result.steps, 1499u) << "this steep stroke keeps the cloth pressed throughout";
        EXPECT_TRUE(IsFinite(result.velocity));
    }
    // The newest version follows the same stroke until it separates.
    const StrikeContactResult newest = StrikeContact(StrikeContactForm::OfVersion(7, false), Input(0.8f)).Run();
    EXPECT_GT(newest.steps, 0u);
    EXPECT_TRUE(IsFinite(newest.velocity));
}

TEST_F(StrikeContactTest, TheFourthVersionEndsWhenTheCueRebounds) {
    StrikeContactInput input = Input(0.0f);
    input.cueMass = 0.1f;  // a light cue bounces back off the heavier ball
    const StrikeContactResult result = StrikeContact(StrikeContactForm::OfVersion(4, false), input).Run();
    EXPECT_GT(result.steps, 0u);
    EXPECT_GT(result.velocity.x, 0.0f);
}

TEST_F(StrikeContactTest, CueComplianceByVersion) {
    const float bridge = 0.7f * 1.3f;
    EXPECT_FLOAT_EQ(StrikeContactForm::Compliance(2, 0.0f, 0.3f, 0.21f, 0.7f), 5000.0f / bridge);
    EXPECT_FLOAT_EQ(StrikeContactForm::Compliance(3, 0.0f, 0.3f, 0.21f, 0.7f), 5000.0f / bridge);
    EXPECT_FLOAT_EQ(StrikeContactForm::Compliance(7, 0.0f, 0.3f, 0.21f, 0.7f), 500.0f * 0.3f * 10.0f / bridge);
    // Version 4 below 0.005 rad: a fixed compliance whatever the power.
    EXPECT_EQ(StrikeContactForm::Compliance(4, 0.004f, 0.1f, 0.21f, 0.7f), 5000.0f / bridge);
    EXPECT_EQ(StrikeContactForm::Compliance(4, 0.004f, 1.0f, 0.21f, 0.7f), 5000.0f / bridge);
    EXPECT_NE(StrikeContactForm::Compliance(4, 0.006f, 0.1f, 0.21f, 0.7f),
              StrikeContactForm::Compliance(4, 0.006f, 1.0f, 0.21f, 0.7f));
}

TEST_F(StrikeContactTest, NoHorizontalSpinNeedsNoBraking) {
    // Without a contact normal the tip never turns the ball, and the older versions' cloth pushes with a negative
    // load at first: braking a spin of zero must not divide zero by its length.
    for (const int version : {2, 3, 4, 5, 7}) {
        StrikeContactInput input = Input(0.8f);
        input.normal = quill::kZeroVector;
        const StrikeContactResult result = StrikeContact(StrikeContactForm::OfVersion(version, false), input).Run();
        EXPECT_TRUE(result.spin.Equals(quill::kZeroVector)) << "version " << version;
        EXPECT_TRUE(IsFinite(result.velocity)) << "version " << version;
    }
}

}  // namespace
}  // namespace kestrovan::test
