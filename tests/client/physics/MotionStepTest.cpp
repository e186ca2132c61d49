// The shared motion step: sub-step counting, cue delivery, the bed's holes, the rail tops and the pocket walls.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class MotionStepTest : public PhysicsTest {};

TEST_F(MotionStepTest, TheCueContactIsDeliveredWholeWithOneEndEvent) {
    // A ball high in the air feels only gravity, so the delivered velocity can be read off exactly.
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    ball.position.z = 60.0f;
    ball.cueLinear = {1.0f, 0.5f, 0.0f};
    ball.cueAngular = {0.0f, 30.0f, 0.0f};
    ball.cueDuration = ball.cueTimeLeft = 0.018f;
    ball.cuePhaseRate = 3.1415927f / 0.018f;
    ball.cueActive = 1;
    EXPECT_FALSE(model->Simulate(0.005f, 50, 1.0f));
    EXPECT_EQ(ball.cueActive, 1);
    for (int call = 0; call < 3; ++call) {
        model->Simulate(0.005f, 50, 1.0f);
    }
    EXPECT_EQ(ball.cueActive, 0);
    EXPECT_EQ(ball.cueTimeLeft, 0.0f);
    EXPECT_EQ(CountEvents(PhysicsEventKind::CueContactEnd), 1u);
    EXPECT_NEAR(ball.velocity.x, 1.0f, 0.001f);
    EXPECT_NEAR(ball.velocity.y, 0.5f, 0.0005f);
    EXPECT_NEAR(ball.spin.y, 30.0f, 0.03f);
}

TEST_F(MotionStepTest, ACueContactWithoutTimeLeftEndsAtOnce) {
    // As a ball reset during its cue contact, or struck with a contact of no duration, is left.
    for (const float timeLeft : {0.0f, -0.002f, std::nanf("")}) {
        auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
        PhysicsBall& ball = model->Ball(0);
        ball.cueTimeLeft = timeLeft;
        ball.cueActive = 1;
        EXPECT_TRUE(model->Simulate(0.005f, 50, 1.0f)) << timeLeft;
        EXPECT_EQ(ball.cueActive, 0);
        EXPECT_EQ(ball.cueTimeLeft, 0.0f);
        EXPECT_EQ(CountEvents(PhysicsEventKind::CueContactEnd), 1u);
    }
}

TEST_F(MotionStepTest, SubStepsFollowTheTimeScale) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    ball.position.z = 60.0f;
    ball.velocity.x = 1.0f;
    EXPECT_FALSE(model->Simulate(0.005f, 50, 1.0f));
    EXPECT_NEAR(ball.position.x, 0.5f, 1e-5f) << "50 sub-steps of 0.0001 s at 1 m/s";
    EXPECT_FALSE(model->Simulate(0.005f, 50, 2.0f));
    EXPECT_NEAR(ball.position.x, 1.5f, 1e-5f) << "twice the sub-steps";
}

TEST_F(MotionStepTest, AScaleBelowOneOrInvalidRunsUntilTheMotionEnds) {
    for (const float scale : {0.0f, 0.01f, -1.0f, std::nanf("")}) {
        auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
        PhysicsBall& ball = model->Ball(0);
        ball.velocity = {0.5f, 0.0f, 0.0f};
        ball.spin = {0.0f, 0.5f / ball.radiusM, 0.0f};
        EXPECT_TRUE(model->Simulate(0.005f, 50, scale)) << scale;
        EXPECT_TRUE(ball.IsAtRest());
        EXPECT_GT(ball.position.x, 10.0f);
    }
}

TEST_F(MotionStepTest, NothingToMoveEndsAtOnce) {
    for (const uint32_t code : {0x10005u, 0x1000Cu, 0x10014u}) {
        std::unique_ptr<PhysicsModel> empty(CreatePhysicsModel(code, 0, 0, false));
        EXPECT_TRUE(empty->CollideBalls()) << std::hex << code;
        EXPECT_TRUE(empty->Simulate(0.005f, 50, 1.0f)) << std::hex << code;
    }
    auto model = MakeModel(0x10014, 1, {{0.0f, 0.0f}, {20.0f, 0.0f}});
    model->Ball(1).pocketed = 3;
    model->Ball(1).velocity = {1.0f, 0.0f, 0.0f};
    EXPECT_TRUE(model->Simulate(0.005f, 15, 1.0f)) << "a pocketed ball counts as at rest";
    EXPECT_EQ(model->Ball(1).position.x, 20.0f);
}

TEST_F(MotionStepTest, ABrokenBallStateEndsTheMotionInsteadOfHanging) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}, {20.0f, 0.0f}});
    model->Ball(1).velocity = {std::nanf(""), 0.0f, 0.0f};
    EXPECT_TRUE(model->Simulate(0.005f, 50, 0.0f)) << "no limit on sub-steps, yet it returns";
}

TEST_F(MotionStepTest, ABallOverACornerHoleDropsIntoThatPocket) {
    auto model = MakeModel(0x10014, 1, {{-127.5f - 4.5f, -63.75f - 4.5f}});
    PhysicsBall& ball = model->Ball(0);
    ball.velocity.x = 0.01f;
    bool pocketed = false;
    for (int call = 0; call < 200 && !pocketed; ++call) {
        model->Simulate(0.005f, 15, 1.0f);
        for (const PhysicsEvent& event : ThePhysicsEventList().Events()) {
            if (event.kind == PhysicsEventKind::Pocketed) {
                EXPECT_EQ(event.ExtraLow(), 1);
                pocketed = true;
            }
        }
    }
    EXPECT_TRUE(pocketed);
    EXPECT_EQ(ball.pocketed, 1);
    EXPECT_FLOAT_EQ(ball.position.z, ball.radiusCm - 15.0f);
}

TEST_F(MotionStepTest, RailTopImpactsAreReportedAboveFourCentimetresPerSecond) {
    auto model = MakeModel(0x10014, 0, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const TableGeometry& g = model->Geometry();
    ball.position = {g.cushionBackMaxX + 5.0f, 0.0f, ball.radiusCm + g.cushionTopHeight};
    ball.velocity = {0.0f, 0.0f, -0.03f};
    model->CollideRailTop(ball, 0.0001f);
    EXPECT_TRUE(ThePhysicsEventList().Empty());
    EXPECT_FLOAT_EQ(ball.velocity.z, 0.4f * 0.03f) << "bounces with K16 but reports nothing";
    ball.velocity = {0.0f, 0.0f, -0.003f};
    model->CollideRailTop(ball, 0.0001f);
    EXPECT_EQ(ball.velocity.z, 0.0f) << "slower than K17 x dt: stops";
    ball.velocity = {0.0f, 0.0f, -0.5f};
    model->CollideRailTop(ball, 0.0001f);
    ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
    EXPECT_EQ(ThePhysicsEventList().Events()[0].kind, PhysicsEventKind::RailTop);
    EXPECT_FLOAT_EQ(ThePhysicsEventList().Events()[0].strength, ball.mass * 0.5f);
    EXPECT_FLOAT_EQ(ball.velocity.z, 0.2f) << "K16 restitution";
}

TEST_F(MotionStepTest, PocketWallImpactsAreReportedAboveEightCentimetresPerSecond) {
    auto model = MakeModel(0x10014, 1, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const TableGeometry& g = model->Geometry();
    // Behind the middle pocket's centre line the circular wall holds the ball: 3 cm from its centre.
    const quill::Vec3 start{0.0f, g.noseMinY - g.middlePocketOffset - 3.0f, 0.0f};
    ball.position = start;
    ball.velocity = {0.0f, -0.05f, 0.0f};
    EXPECT_TRUE(model->CollidePocketJaw(ball, 2, 0.0001f));
    EXPECT_TRUE(ThePhysicsEventList().Empty());
    EXPECT_EQ(ball.velocity.y, 0.0f) << "the wall takes the normal speed (K27 = 0)";
    ball.velocity = {1.0f, -0.5f, 0.0f};
    EXPECT_TRUE(model->CollidePocketJaw(ball, 2, 0.0001f));
    ASSERT_EQ(CountEvents(PhysicsEventKind::PocketWall), 1u);
    EXPECT_EQ(ThePhysicsEventList().Events()[0].ExtraLow(), 2);
    EXPECT_EQ(ball.velocity.y, 0.0f);
    EXPECT_FLOAT_EQ(ball.velocity.x, 1.0f - 2000.0f * 0.0001f) << "braked along the wall by K24 x dt";
    ball.velocity = {0.5f, -0.5f, 0.0f};
    model->CollidePocketJaw(ball, 2, 0.0001f);
    EXPECT_EQ(ball.velocity.x, 0.0f) << "a slide within 3.5 impulses is stopped";
    ball.position.y = start.y + 4.0f;
    EXPECT_TRUE(model->CollidePocketJaw(ball, 2, 0.0001f)) << "within the pocket's reach, clear of its wall";
    ball.position = {50.0f, 0.0f, 0.0f};
    EXPECT_FALSE(model->CollidePocketJaw(ball, 2, 0.0001f));
}

TEST_F(MotionStepTest, NearAStraightPocketSideOnlyAContactPutsTheBallWithinReach) {
    auto model = MakeModel(0x10014, 1, {{0.0f, 0.0f}});
    PhysicsBall& ball = model->Ball(0);
    const TableGeometry& g = model->Geometry();
    const float r = ball.radiusCm;
    const float gap = r / 2.0f;
    const float diagonal = 0.70710677f;
    struct Side {
        uint8_t pocket;
        float x;
        float y;
    };
    // Half a radius from the left jaw of middle pocket 2, and from the first side of corner pocket 1's throat.
    const Side sides[] = {
        {2, (g.noseMinX + g.noseMaxX) / 2.0f - g.middlePocketRadius + gap, g.noseMinY - 1.0f},
        {1, g.cushionBackMinX + gap * diagonal, g.noseMinY + g.pocketJaw0 - gap * diagonal},
    };
    for (const Side& side : sides) {
        ball.velocity = {};
        ball.position = {side.x, side.y, g.cushionTopHeight + 0.9f * r};
        EXPECT_FALSE(model->CollidePocketJaw(ball, side.pocket, 0.0001f))
            << "above the side, out of touch: pocket " << +side.pocket;
        ball.position.z = r;
        EXPECT_TRUE(model->CollidePocketJaw(ball, side.pocket, 0.0001f))
            << "touching the side: pocket " << +side.pocket;
    }
}

}  // namespace
}  // namespace kestrovan::test
