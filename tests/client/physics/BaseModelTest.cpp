// The base model's own bodies (code 0x10000): the force-driven cushion step, the ball-ball pass with each ball's
// own mass, and the older strike. Its cushion pass is tested with the 10001 series' first version, which shares it.
#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/CushionContactStep.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PhysicsConstants.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

CushionNormal Horizontal() {
    CushionNormal normal;
    normal.n = {1.0f, 0.0f, 0.0f};
    normal.ex = 1.0f;
    normal.ch = 1.0f;
    return normal;
}

PhysicsConstants Friction(float along, float across) {
    PhysicsConstants k;
    k[18] = along;
    k[19] = across;
    k[23] = 0.7f;
    return k;
}

TEST(CushionContactStepTest, AHorizontalNormalWithoutSlipOnlyPushes) {
    quill::Vec3 v{-1.0f, 0.0f, 0.0f};
    quill::Vec3 w;
    CushionContactStep::Apply(v, w, Horizontal(), 1000.0f, 1.0f, 0.03f, 0.012f, 0.0001f, Friction(0.2f, 0.2f), 0.02f,
                              false);
    EXPECT_FLOAT_EQ(v.x, -1.0f + 0.1f) << "J = F h n";
    EXPECT_EQ(v.y, 0.0f);
    EXPECT_TRUE(w.Equals(quill::kZeroVector));
}

TEST(CushionContactStepTest, SlipAlongTheCushionIsBrakedAndSpins) {
    quill::Vec3 v{-1.0f, 2.0f, 0.0f};
    quill::Vec3 w;
    CushionContactStep::Apply(v, w, Horizontal(), 1000.0f, 1.0f, 0.03f, 0.012f, 0.0001f, Friction(0.2f, 0.2f), 0.02f,
                              false);
    EXPECT_FLOAT_EQ(v.x, -0.9f);
    EXPECT_LT(v.y, 2.0f);
    EXPECT_NE(w.z, 0.0f) << "the slip along the cushion turns the ball about the vertical";

    // Without friction coefficients the slip changes nothing beyond the push.
    quill::Vec3 free{-1.0f, 2.0f, 0.0f};
    quill::Vec3 freeSpin;
    CushionContactStep::Apply(free, freeSpin, Horizontal(), 1000.0f, 1.0f, 0.03f, 0.012f, 0.0001f, Friction(0.0f, 0.0f),
                              0.02f, false);
    EXPECT_EQ(free.y, 2.0f);
    EXPECT_TRUE(freeSpin.Equals(quill::kZeroVector));
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

TEST_F(BaseModelTest, AnElevatedStrikeBouncesOffTheBed) {
    auto model = MakeModel(0x10000, 0, {{0.0f, 0.0f}});
    CueStroke stroke;
    stroke.aimX = 50.0f;
    stroke.power = 0.5f;
    stroke.elevation = 0.3f;
    model->Strike(model->Ball(0), stroke);
    EXPECT_GE(model->Ball(0).cueLinear.z, 0.0f) << "the bed returns the downward part";
}

TEST_F(BaseModelTest, EveryCodeRunsACaromShotToTheEnd) {
    for (uint32_t code = 0x10000; code <= 0x10014; ++code) {
        if (code > 0x1000F && code < 0x10010) {
            continue;
        }
        auto model = MakeModel(code, 0, {{-60.0f, 0.0f}, {0.0f, 0.0f}, {60.0f, 20.0f}});
        CueStroke stroke;
        stroke.aimX = 0.0f;
        stroke.aimY = 1.0f;
        stroke.contactX = stroke.spinX = 0.1f;
        stroke.contactY = stroke.spinY = 0.3f;
        stroke.power = 0.6f;
        model->Strike(model->Ball(0), stroke);
        EXPECT_GT(RunToRest(*model, 50), 0u) << std::hex << code;
        for (uint16_t i = 0; i < 3; ++i) {
            EXPECT_TRUE(std::isfinite(model->Ball(i).position.x)) << std::hex << code;
        }
    }
}

}  // namespace
}  // namespace kestrovan::test
