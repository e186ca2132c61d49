// The ball-ball pass of the 10010 series.
#include <gtest/gtest.h>

#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class BallContactTest : public PhysicsTest {};

TEST_F(BallContactTest, AHeadOnHitReportsOnceAndPassesTheSpeedOn) {
    // Ball 1 rolls into the resting ball 0 along -x; the touch distance is 2 r + 0.1.
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}});
    PhysicsBall& resting = model->Ball(0);
    PhysicsBall& moving = model->Ball(1);
    moving.velocity = {-2.0f, 0.0f, 0.0f};
    EXPECT_FALSE(model->CollideBalls());
    ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
    const PhysicsEvent& event = ThePhysicsEventList().Events()[0];
    EXPECT_EQ(event.kind, PhysicsEventKind::BallBall);
    EXPECT_EQ(event.ball, 0) << "the lower index";
    EXPECT_EQ(event.extra, 1);
    // mass(b) (n . v(b)) - mass(a) (n . v(a)), with n from ball 1 towards ball 0.
    EXPECT_FLOAT_EQ(event.strength, 0.25f * 2.0f);
    EXPECT_FLOAT_EQ(event.vector.x, 1.0f) << "from the lower ball's centre towards the other";
    // Without spin the velocities along the line of centres are exchanged within the micro-steps' accuracy.
    EXPECT_NEAR(resting.velocity.x, -2.0f, 0.02f);
    EXPECT_NEAR(moving.velocity.x, 0.0f, 0.02f);
    EXPECT_NEAR(resting.velocity.x + moving.velocity.x, -2.0f, 1e-4f) << "momentum is kept";
    EXPECT_EQ(resting.velocity.y, 0.0f);
}

TEST_F(BallContactTest, NoContactAtTheTouchDistanceOrWhenParting) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {6.65f, 0.0f}});
    model->Ball(1).velocity = {-1.0f, 0.0f, 0.0f};
    EXPECT_FALSE(model->CollideBalls());
    EXPECT_TRUE(ThePhysicsEventList().Empty()) << "exactly 2 r + 0.1 apart";
    model->Ball(1).position.x = 6.0f;
    model->Ball(1).velocity = {1.0f, 0.0f, 0.0f};
    model->CollideBalls();
    EXPECT_TRUE(ThePhysicsEventList().Empty()) << "moving apart";
    model->Ball(1).velocity = quill::kZeroVector;
    EXPECT_TRUE(model->CollideBalls()) << "two touching balls at rest: no contact, all at rest";
}

TEST_F(BallContactTest, TheSamePairInConsecutiveStepsIsReportedOnce) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}});
    PhysicsEventList& events = ThePhysicsEventList();
    for (int step = 0; step < 2; ++step) {
        model->Ball(0).position = {0.0f, 0.0f, 3.275f};
        model->Ball(0).velocity = quill::kZeroVector;
        model->Ball(1).velocity = {-2.0f, 0.0f, 0.0f};
        model->CollideBalls();
    }
    EXPECT_EQ(events.Size(), 1u);
    events.Append(PhysicsEventKind::Cushion, 3);
    model->Ball(0).velocity = quill::kZeroVector;
    model->Ball(1).velocity = {-2.0f, 0.0f, 0.0f};
    model->CollideBalls();
    EXPECT_EQ(events.Size(), 3u) << "another event in between: reported again";
}

TEST_F(BallContactTest, AContactRestartsTheCushionBookkeeping) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}});
    PhysicsBall& a = model->Ball(0);
    a.cushionNormalSpeed[0] = 0.5f;
    a.cushionNormalSpeed[1] = -0.5f;
    a.cushionSteps[0] = 3;
    model->Ball(1).velocity = {-1.0f, 0.0f, 0.0f};
    model->CollideBalls();
    EXPECT_EQ(a.cushionPositive[0], 1);
    EXPECT_EQ(a.cushionPositive[1], 0);
    EXPECT_EQ(a.cushionSteps[0], 0);
}

TEST_F(BallContactTest, SpinningContactTransfersThrowThroughFriction) {
    // A ball with side spin hitting a resting ball straight on pushes it off the line of centres.
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}});
    model->Ball(1).velocity = {-2.0f, 0.0f, 0.0f};
    model->Ball(1).spin = {0.0f, 0.0f, 60.0f};
    model->CollideBalls();
    EXPECT_NE(model->Ball(0).velocity.y, 0.0f);
    EXPECT_NE(model->Ball(0).spin.z, 0.0f);
}

TEST_F(BallContactTest, PocketedBallsAreLeftOut) {
    auto model = MakeModel(0x10014, 1, {{0.0f, 0.0f}, {6.6f, 0.0f}});
    model->Ball(0).pocketed = 2;
    model->Ball(1).velocity = {-2.0f, 0.0f, 0.0f};
    EXPECT_FALSE(model->CollideBalls());
    EXPECT_TRUE(ThePhysicsEventList().Empty());
}

}  // namespace
}  // namespace kestrovan::test
