// Friction against the cloth, the floor and the rail top, the floor contact and pocket settling.
#include <gtest/gtest.h>

#include "client/physics/ClothFriction.h"
#include "client/physics/PhysicsConstants.h"
#include "client/physics/PhysicsModel10010.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class ClothFrictionTest : public PhysicsTest {
protected:
    void SetUp() override {
        PhysicsTest::SetUp();
        model_ = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    }
    PhysicsBall& Ball() { return model_->Ball(0); }
    void Rub(float dt = 0.0001f) { model_->ApplyClothFriction(Ball(), dt, 0); }

    std::unique_ptr<PhysicsModel> model_;
};

TEST_F(ClothFrictionTest, SlowSpeedGrowthOfTheDefaultModel) {
    EXPECT_FLOAT_EQ(ClothFriction::SlowSpeedGrowth(0.1f, 0.7f, 3.4f), 2.2367346f);
    EXPECT_FLOAT_EQ(ClothFriction::SlowSpeedGrowth(0.6f, 0.7f, 3.4f), 1.4857143f);
    EXPECT_EQ(ClothFriction::SlowSpeedGrowth(0.001f, 0.7f, 3.4f), 0.4f) << "never below 0.4";
    EXPECT_EQ(ClothFriction::SlowSpeedGrowth(0.8f, 0.7f, 3.4f), 1.0f) << "above the limit";
    EXPECT_EQ(ClothFriction::SlowSpeedGrowth(0.1f, 0.0f, 3.4f), 1.0f) << "a limit of 0 disables it";
}

TEST_F(ClothFrictionTest, ABallAtRestIsNotTouched) {
    Rub();
    EXPECT_TRUE(Ball().velocity.Equals(quill::kZeroVector));
    EXPECT_TRUE(Ball().IsAtRest());
}

TEST_F(ClothFrictionTest, RollingWithoutSlipLosesTheRollingResistance) {
    PhysicsBall& ball = Ball();
    ball.velocity = {1.0f, 0.0f, -0.00098f};
    ball.spin = {0.0f, 1.0f / ball.radiusM, 0.0f};
    Rub();
    // N = 0.00098 - 1 x 2e-5; roll = N x K2 (0.0042) at 1 m/s, above the slow-speed limit.
    const float load = 0.00098f - 1.0f * 2e-5f;
    EXPECT_FLOAT_EQ(ball.velocity.x, 1.0f - load * 0.0042f);
    EXPECT_FLOAT_EQ(ball.spin.y, ball.velocity.x / ball.radiusM);
    EXPECT_EQ(ball.velocity.z, -0.00098f) << "vertical speed is left to the caller";
}

TEST_F(ClothFrictionTest, ASlowRollerStopsAndItsTwistDecaysFaster) {
    PhysicsBall& ball = Ball();
    ball.velocity = {0.000001f, 0.0f, -0.00098f};
    ball.spin = {0.0f, 0.000001f / ball.radiusM, 20.0f};
    Rub();
    EXPECT_EQ(ball.velocity.x, 0.0f);
    EXPECT_EQ(ball.spin.x, 0.0f);
    EXPECT_EQ(ball.spin.y, 0.0f);
    const float load = 0.00098f - 0.000001f * 2e-5f;
    const float turn = load * 0.016f * 1.5f / ball.radiusM;  // K3 x spinStopFactor
    EXPECT_FLOAT_EQ(ball.spin.z, 20.0f * (1.0f - turn / 20.0f));
}

TEST_F(ClothFrictionTest, OtherSurfacesUseTheirOwnEntries) {
    PhysicsBall& ball = Ball();
    ball.velocity = {1.0f, 0.0f, -0.00098f};
    ball.spin = {0.0f, 1.0f / ball.radiusM, 0.0f};
    model_->ApplyClothFriction(ball, 0.0001f, 2);  // rail top: K10 = 0.008, speed load 0
    EXPECT_FLOAT_EQ(ball.velocity.x, 1.0f - 0.00098f * 0.008f);
    const quill::Vec3 before = ball.velocity;
    model_->ApplyClothFriction(ball, 0.0001f, 3);
    EXPECT_TRUE(ball.velocity.Equals(before)) << "no surface 3";
}

TEST_F(ClothFrictionTest, VersionsOfTheTenOneSeries) {
    std::unique_ptr<PhysicsModel> v1 = MakeModel(0x10001, 0, {{0.0f, 0.0f}});
    std::unique_ptr<PhysicsModel> v2 = MakeModel(0x10009, 0, {{0.0f, 0.0f}});
    std::unique_ptr<PhysicsModel> v3 = MakeModel(0x1000A, 0, {{0.0f, 0.0f}});
    ThePhysicsConstants()[0] = 0.2f;
    ThePhysicsConstants()[1] = 0.99f;

    // First version: nothing for a rising ball, friction for one with no vertical speed.
    PhysicsBall& first = v1->Ball(0);
    first.velocity = {1.0f, 0.0f, 0.01f};
    v1->ApplyClothFriction(first, 0.0001f, 0);
    EXPECT_EQ(first.velocity.x, 1.0f);
    first.velocity.z = 0.0f;
    v1->ApplyClothFriction(first, 0.0001f, 0);
    EXPECT_NE(first.velocity.x, 1.0f);

    // Second version: a ball at rest is not touched whatever its vertical speed.
    PhysicsBall& second = v2->Ball(0);
    v2->ApplyClothFriction(second, 0.0001f, 0);
    EXPECT_TRUE(second.velocity.Equals(quill::kZeroVector));

    // Third version (0x1000A): a sliding ball loses 0.6 of the second version's translation and passed spin.
    second.velocity = {2.0f, 0.0f, -0.00098f};
    PhysicsBall& third = v3->Ball(0);
    third.velocity = second.velocity;
    v2->ApplyClothFriction(second, 0.0001f, 0);
    v3->ApplyClothFriction(third, 0.0001f, 0);
    EXPECT_NEAR(2.0f - third.velocity.x, 0.6f * (2.0f - second.velocity.x), 5e-7f);  // within a few ulps of 2
    EXPECT_FLOAT_EQ(third.spin.y, 0.6f * second.spin.y);

    // Third version: a rising ball whose lift exceeds the speed load gets a negative load and no friction.
    third.velocity = {1.0f, 0.0f, 0.5f};
    v3->ApplyClothFriction(third, 0.0001f, 0);
    EXPECT_EQ(third.velocity.x, 1.0f);
}

class FloorAndPocketTest : public PhysicsTest {};

TEST_F(FloorAndPocketTest, HardLandingBouncesWithOneEventSoftLandingStops) {
    auto model = MakeModel(0x10014, 0, {{200.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const float dt = 0.0001f;
    const float floor = ball.radiusCm - 71.5f;
    ball.position.z = floor;
    ball.velocity = {0.0f, 0.0f, -1.0f};  // faster than 4 x 200 x dt = 0.08
    EXPECT_FALSE(model->CollideFloor(ball, dt, false));
    EXPECT_EQ(CountEvents(PhysicsEventKind::FloorImpact), 1u);
    EXPECT_FLOAT_EQ(ball.velocity.z, 0.2f);
    EXPECT_FLOAT_EQ(ThePhysicsEventList().Events()[0].strength, 0.25f);

    // Between K15 dt and 4 K15 dt it still bounces, without an event.
    ThePhysicsEventList().Clear();
    ball.velocity = {0.0f, 0.0f, -0.05f};
    EXPECT_FALSE(model->CollideFloor(ball, dt, false));
    EXPECT_TRUE(ThePhysicsEventList().Empty());
    EXPECT_FLOAT_EQ(ball.velocity.z, 0.01f);

    // Below K15 dt the vertical motion stops; a ball that is then still reports FloorRest.
    ball.velocity = {0.0f, 0.0f, -0.01f};
    EXPECT_TRUE(model->CollideFloor(ball, dt, false));
    EXPECT_EQ(ball.velocity.z, 0.0f);
    EXPECT_EQ(ball.position.z, floor);
    EXPECT_EQ(CountEvents(PhysicsEventKind::FloorRest), 1u);

    // Lying still there, it meets the floor again in every sub-step without reporting again.
    ball.velocity = {0.0f, 0.0f, -9.8f * dt};
    EXPECT_TRUE(model->CollideFloor(ball, dt, true));
    EXPECT_EQ(CountEvents(PhysicsEventKind::FloorRest), 1u);

    ball.position.z = floor + 1.0f;
    ball.velocity = {0.0f, 0.0f, -1.0f};
    EXPECT_FALSE(model->CollideFloor(ball, dt, false)) << "above the floor";
}

TEST_F(FloorAndPocketTest, APocketedBallReportsOnceAndSettles) {
    auto model = MakeModel(0x10014, 1, {{-129.0f, -65.0f}});
    PhysicsBall& ball = model->Ball(0);
    ball.velocity = {0.5f, 0.0f, -0.4f};
    model->SettleInPocket(ball, 1, 0.001f);
    model->SettleInPocket(ball, 1, 0.001f);
    ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
    const PhysicsEvent& event = ThePhysicsEventList().Events()[0];
    EXPECT_EQ(event.kind, PhysicsEventKind::Pocketed);
    EXPECT_EQ(event.ExtraLow(), 1);
    EXPECT_FLOAT_EQ(event.strength, 0.25f * 0.4f);
    EXPECT_EQ(ball.pocketed, 1);
    EXPECT_EQ(ball.velocity.z, 0.0f);
    EXPECT_FLOAT_EQ(ball.position.z, ball.radiusCm - 15.0f);
    // Pocket-floor friction K25 x 9.8 per second, twice over 0.001 s.
    EXPECT_FLOAT_EQ(ball.velocity.x, 0.5f - 2.0f * 0.025f * 9.8f * 0.001f);
    EXPECT_TRUE(ball.IsAtRest()) << "a pocketed ball is at rest unless the cue acts on it";
    ball.cueActive = 1;
    EXPECT_FALSE(ball.IsAtRest());
}

TEST_F(FloorAndPocketTest, ABallOnTheClothRestsOnTheBed) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    ball.velocity.z = -9.8f * 0.0001f;
    EXPECT_TRUE(model->CollideBed(ball, 0.0001f));
    EXPECT_EQ(ball.velocity.z, 0.0f);
    EXPECT_EQ(ball.onBed, 1);
    EXPECT_TRUE(ThePhysicsEventList().Empty());
    EXPECT_TRUE(model->MoveBall(ball, 0.0001f)) << "a still ball stays at rest through a whole sub-step";
    EXPECT_EQ(ball.position.z, ball.radiusCm);

    // A hard landing bounces with the bed's restitution and one event.
    ball.velocity.z = -1.0f;
    EXPECT_FALSE(model->CollideBed(ball, 0.0001f));
    EXPECT_FLOAT_EQ(ball.velocity.z, 0.6f);
    EXPECT_EQ(CountEvents(PhysicsEventKind::BedImpact), 1u);
}

}  // namespace
}  // namespace kestrovan::test
