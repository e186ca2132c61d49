// The base model's own bodies (code 0x10000): the force-driven cushion step, the ball-ball pass with each ball's
// own mass, and the older strike. Its cushion pass is tested with the 10001 series' first version, which shares it.
#include <gtest/gtest.h>

#include "client/physics/CushionContactStep.h"
#include "client/physics/PhysicsConstants.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

// One step of 0.0001 s against a cushion facing +x pushing with 1000 N, with the given friction coefficients.
quill::Vec3 ContactStep(quill::Vec3 v, float friction, quill::Vec3* spin) {
    PhysicsConstants k;
    k[18] = k[19] = friction;
    k[23] = 0.7f;
    *spin = quill::kZeroVector;
    CushionContactStep::Apply(v, *spin, FacingPlusX(), 1000.0f, 1.0f, 0.03f, 0.012f, 0.0001f, k, 0.02f, false);
    return v;
}

TEST(CushionContactStepTest, ThePushActsAlongTheNormalAndFrictionOnlyOnSlip) {
    quill::Vec3 spin;
    const quill::Vec3 straight = ContactStep({-1.0f, 0.0f, 0.0f}, 0.2f, &spin);
    EXPECT_FLOAT_EQ(straight.x, -1.0f + 0.1f) << "J = F h n";
    EXPECT_EQ(straight.y, 0.0f);
    EXPECT_TRUE(spin.Equals(quill::kZeroVector)) << "no slip, no spin";

    const quill::Vec3 slipping = ContactStep({-1.0f, 2.0f, 0.0f}, 0.2f, &spin);
    EXPECT_FLOAT_EQ(slipping.x, -0.9f);
    EXPECT_LT(slipping.y, 2.0f);
    EXPECT_NE(spin.z, 0.0f) << "the slip along the cushion turns the ball about the vertical";

    EXPECT_EQ(ContactStep({-1.0f, 2.0f, 0.0f}, 0.0f, &spin).y, 2.0f) << "no friction coefficients, no braking";
    EXPECT_TRUE(spin.Equals(quill::kZeroVector));
}

class BaseModelTest : public PhysicsTest {};

TEST_F(BaseModelTest, TheLighterBallMovesMore) {
    auto model = MakeModel(0x10000, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}});
    PhysicsBall& light = model->Ball(0);
    PhysicsBall& heavy = model->Ball(1);
    light.mass = 0.15f;
    heavy.velocity = {-2.0f, 0.0f, 0.0f};
    model->CollideBalls();
    // An elastic hit of 0.25 kg on 0.15 kg: the light ball leaves at 2 x 0.25 / 0.4 of the speed.
    EXPECT_NEAR(light.velocity.x, -2.5f, 0.03f);
    EXPECT_NEAR(heavy.velocity.x, -0.5f, 0.03f);
    EXPECT_NEAR(0.15f * light.velocity.x + 0.25f * heavy.velocity.x, -0.5f, 1e-4f);
    EXPECT_EQ(light.cushionPositive[0], 1) << "the base pass marks the x axis";
}

TEST_F(BaseModelTest, TheStrikeDeliversOverFiveContactTimes) {
    auto model = MakeModel(0x10000, 0, {{0.0f, 0.0f}});
    CueStroke stroke;
    stroke.aimX = 50.0f;
    stroke.power = 0.5f;
    PhysicsBall& ball = model->Ball(0);
    model->Strike(ball, stroke);
    EXPECT_FLOAT_EQ(ball.cueLinear.x, 9.5f * 0.5f);
    EXPECT_FLOAT_EQ(ball.cueDuration, 5.0f * 3.5f * 0.0025f / 4.0f);
    EXPECT_EQ(ball.cueActive, 1);

    // A power of 4 leaves no contact time: nothing is struck and nothing waits to be delivered.
    auto other = MakeModel(0x10000, 0, {{0.0f, 0.0f}});
    stroke.power = 4.0f;
    other->Strike(other->Ball(0), stroke);
    EXPECT_EQ(other->Ball(0).cueActive, 0);
    EXPECT_TRUE(other->Ball(0).cueLinear.Equals(quill::kZeroVector));
}

}  // namespace
}  // namespace kestrovan::test
