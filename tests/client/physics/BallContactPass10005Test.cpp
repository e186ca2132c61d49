// The two versions of the 10001 series' ball-ball pass (0x10005 to 0x1000B, and 0x1000C to 0x1000F).
#include <gtest/gtest.h>

#include <cmath>

#include "client/physics/ModelConstants.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class BallContactPass10005Test : public PhysicsTest {};

TEST_F(BallContactPass10005Test, AHeadOnHitPassesTheSpeedOnWithOneEvent) {
    for (const uint32_t code : {0x10005u, 0x1000Bu, 0x1000Cu, 0x1000Fu}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        auto model = MakeModel(code, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}});
        PhysicsBall& resting = model->Ball(0);
        PhysicsBall& moving = model->Ball(1);
        moving.velocity = {-2.0f, 0.0f, 0.0f};
        ThePhysicsEventList().Clear();
        EXPECT_FALSE(model->CollideBalls());
        EXPECT_NEAR(resting.velocity.x, -2.0f, 0.01f);
        EXPECT_NEAR(moving.velocity.x, 0.0f, 0.01f);
        EXPECT_EQ(resting.velocity.y, 0.0f) << "no slip, no friction";
        ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
        const PhysicsEvent& event = ThePhysicsEventList().Events()[0];
        EXPECT_EQ(event.kind, PhysicsEventKind::BallBall);
        EXPECT_EQ(event.ball, 0);
        EXPECT_EQ(event.extra, 1);
        EXPECT_FLOAT_EQ(event.strength, 0.25f * 2.0f);
        EXPECT_FLOAT_EQ(event.vector.x, 1.0f) << "the normal negated: towards the second ball";

        // The same pair touching again in the next sub-step adds no second event.
        moving.velocity = {-2.0f, 0.0f, 0.0f};
        resting.velocity = {};
        model->CollideBalls();
        EXPECT_EQ(ThePhysicsEventList().Size(), 1u);
    }
}

TEST_F(BallContactPass10005Test, TheSecondVersionScalesOnlyTheFrictionsVelocityChange) {
    // A ball struck head-on while spinning about the vertical: the contact points slip across the line of centres,
    // and friction moves the struck ball sideways and turns it. The first version changes velocity and spin by
    // the same impulse (a ratio of the inertia arm); the second scales the velocity change by TuningB17.
    struct Case {
        uint32_t code;
        float velocityScale;
    };
    for (const Case c : {Case{0x1000B, 1.0f}, Case{0x1000C, 0.2f}, Case{0x1000D, 0.3f}}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << c.code);
        auto model = MakeModel(c.code, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}});
        PhysicsBall& struck = model->Ball(0);
        struck.spin = {0.0f, 0.0f, 50.0f};
        model->Ball(1).velocity = {-2.0f, 0.0f, 0.0f};
        model->CollideBalls();
        ASSERT_NE(struck.velocity.y, 0.0f) << "friction acted";
        const float spinChange = struck.spin.z - 50.0f;
        const float ratio = std::fabs(struck.velocity.y / spinChange);
        EXPECT_NEAR(ratio, c.velocityScale * struck.inertiaArm, 1e-3f * ratio);
    }
}

TEST_F(BallContactPass10005Test, NoBallsMeansTheMotionHasEnded) {
    for (const uint32_t code : {0x10005u, 0x1000Cu}) {
        std::unique_ptr<PhysicsModel> model(CreatePhysicsModel(code, 0, 0, false));
        EXPECT_TRUE(model->CollideBalls());
        EXPECT_TRUE(model->Simulate(0.005f, 50, 1.0f));
    }
}

}  // namespace
}  // namespace kestrovan::test
