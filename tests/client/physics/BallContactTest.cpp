// The ball-ball passes: the two versions of the 10001 series (0x10005 to 0x1000B, and 0x1000C to 0x1000F) and the
// pass of the 10010 series.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class BallContactTest : public PhysicsTest {
protected:
    // Ball 1 rolling along -x into the resting ball 0 of a model of the code; the touch distance is 2 r + 0.1.
    static std::unique_ptr<PhysicsModel> HeadOn(uint32_t code, uint32_t kind = 0) {
        auto model = MakeModel(code, kind, {{0.0f, 0.0f}, {6.6f, 0.0f}});
        model->Ball(1).velocity = {-2.0f, 0.0f, 0.0f};
        return model;
    }
};

TEST_F(BallContactTest, AHeadOnHitReportsOnceAndPassesTheSpeedOn) {
    for (const uint32_t code : {0x10005u, 0x1000Bu, 0x1000Cu, 0x1000Fu, 0x10014u}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        auto model = HeadOn(code);
        PhysicsBall& resting = model->Ball(0);
        PhysicsBall& moving = model->Ball(1);
        EXPECT_FALSE(model->CollideBalls());
        // Without spin the velocities along the line of centres are exchanged within the micro-steps' accuracy.
        EXPECT_NEAR(resting.velocity.x, -2.0f, 0.02f);
        EXPECT_NEAR(moving.velocity.x, 0.0f, 0.02f);
        EXPECT_NEAR(resting.velocity.x + moving.velocity.x, -2.0f, 1e-4f) << "momentum is kept";
        EXPECT_EQ(resting.velocity.y, 0.0f) << "no slip, no friction";
        ASSERT_EQ(ThePhysicsEventList().Size(), 1u);
        const PhysicsEvent& event = ThePhysicsEventList().Events()[0];
        EXPECT_EQ(event.kind, PhysicsEventKind::BallBall);
        EXPECT_EQ(event.ball, 0) << "the lower index";
        EXPECT_EQ(event.extra, 1);
        // mass(b) (n . v(b)) - mass(a) (n . v(a)), with n from ball 1 towards ball 0.
        EXPECT_FLOAT_EQ(event.strength, 0.25f * 2.0f);
        EXPECT_FLOAT_EQ(event.vector.x, 1.0f) << "from the lower ball's centre towards the other";

        // The same pair touching again in the next sub-step adds no second event.
        resting.position = {0.0f, 0.0f, resting.radiusCm};
        resting.velocity = {};
        moving.velocity = {-2.0f, 0.0f, 0.0f};
        model->CollideBalls();
        EXPECT_EQ(ThePhysicsEventList().Size(), 1u);
    }
}

TEST_F(BallContactTest, AnotherEventInBetweenReportsThePairAgain) {
    auto model = HeadOn(0x10014);
    model->CollideBalls();
    ThePhysicsEventList().Append(PhysicsEventKind::Cushion, 3);
    model->Ball(0).velocity = quill::kZeroVector;
    model->Ball(1).velocity = {-2.0f, 0.0f, 0.0f};
    model->CollideBalls();
    EXPECT_EQ(ThePhysicsEventList().Size(), 3u);
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

TEST_F(BallContactTest, AContactRestartsTheCushionBookkeeping) {
    auto model = HeadOn(0x10014);
    PhysicsBall& a = model->Ball(0);
    a.cushionNormalSpeed[0] = 0.5f;
    a.cushionNormalSpeed[1] = -0.5f;
    a.cushionSteps[0] = 3;
    model->CollideBalls();
    EXPECT_EQ(a.cushionPositive[0], 1);
    EXPECT_EQ(a.cushionPositive[1], 0);
    EXPECT_EQ(a.cushionSteps[0], 0);
}

TEST_F(BallContactTest, SideSpinThrowsTheStruckBallThroughFriction) {
    // A ball struck head-on while spinning about the vertical: the contact points slip across the line of centres,
    // and friction moves the struck ball sideways and turns it. The 10001 series' first version changes velocity
    // and spin by the same impulse (a ratio of the inertia arm); the second scales the velocity change by TuningB17.
    struct Case {
        uint32_t code;
        float velocityScale;
    };
    for (const Case c : {Case{0x1000B, 1.0f}, Case{0x1000C, 0.2f}, Case{0x1000D, 0.3f}}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << c.code);
        auto model = HeadOn(c.code);
        PhysicsBall& struck = model->Ball(0);
        struck.spin = {0.0f, 0.0f, 50.0f};
        model->CollideBalls();
        ASSERT_NE(struck.velocity.y, 0.0f) << "friction acted";
        const float ratio = std::fabs(struck.velocity.y / (struck.spin.z - 50.0f));
        EXPECT_NEAR(ratio, c.velocityScale * struck.inertiaArm, 1e-3f * ratio);
    }
    // The 10010 series: the striking ball's side spin pushes the struck ball off the line of centres.
    auto model = HeadOn(0x10014);
    model->Ball(1).spin = {0.0f, 0.0f, 60.0f};
    model->CollideBalls();
    EXPECT_NE(model->Ball(0).velocity.y, 0.0f);
    EXPECT_NE(model->Ball(0).spin.z, 0.0f);
}

TEST_F(BallContactTest, ANaNInOnePairStopsTheOtherPairAtThatPass) {
    // Two head-on pairs far apart, one of them with a NaN spin: in the 10010 series its friction makes the
    // velocities NaN in the first micro-step and its compression NaN in the second, and the resolution ends when
    // the next pass meets that NaN. The other pair has then taken only two or three micro-steps, whichever comes
    // first, and has not let go.
    for (const uint32_t code : {0x10010u, 0x10014u}) {
        for (const bool nanFirst : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code << (nanFirst ? ", NaN pair first" : ""));
            auto model = MakeModel(code, 0, {{0.0f, 0.0f}, {6.6f, 0.0f}, {60.0f, 0.0f}, {66.6f, 0.0f}});
            for (const uint16_t moving : {1, 3}) {
                model->Ball(moving).velocity = {-2.0f, 0.0f, 0.0f};
            }
            model->Ball(nanFirst ? 1 : 3).spin = {0.0f, 0.0f, std::nanf("")};
            const uint16_t sound = nanFirst ? 3 : 1;
            model->CollideBalls();
            EXPECT_TRUE(std::isnan(model->Ball(nanFirst ? 0 : 2).velocity.x));
            EXPECT_LT(model->Ball(sound).velocity.x, -1.99f) << "barely pushed";
            EXPECT_GT(model->Ball(sound).velocity.x, -2.0f) << "but pushed";
        }
    }
}

TEST_F(BallContactTest, PairsFarApartEndBitForBitAsEachAlone) {
    // Contacts that share no ball are resolved side by side, two of them in lock-step while both push and slip;
    // each must end exactly as it does alone, whichever lets go first, with friction slipping or (head-on
    // without spin) holding; with balls whose mass is a power of two (ball set 3, 0.25 kg: the step multiplies
    // by its inverse) and with balls whose mass is not (ball set 2, 0.17 kg: the step divides).
    struct Motion {
        quill::Vec3 velocity;
        quill::Vec3 spin;
    };
    const Motion sliding{{-2.0f, 0.3f, 0.0f}, {0.0f, 0.0f, 60.0f}};
    const Motion rolling{{-1.2f, 0.0f, 0.0f}, {5.0f, 0.0f, -40.0f}};
    const Motion straight{{-2.5f, 0.0f, 0.0f}, {}};
    auto expectSameBits = [](const PhysicsBall& alone, const PhysicsBall& beside) {
        for (const auto member : {&PhysicsBall::velocity, &PhysicsBall::spin}) {
            EXPECT_EQ(Bits((alone.*member).x), Bits((beside.*member).x));
            EXPECT_EQ(Bits((alone.*member).y), Bits((beside.*member).y));
            EXPECT_EQ(Bits((alone.*member).z), Bits((beside.*member).z));
        }
    };
    for (const auto& [code, ballSet] : {std::pair{0x10010u, 3u}, std::pair{0x10014u, 3u}, std::pair{0x10014u, 2u}}) {
        for (const auto& [first, second] :
             {std::pair{sliding, rolling}, std::pair{straight, sliding}, std::pair{rolling, straight}}) {
            SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code << std::dec << ", ball set " << ballSet
                                            << ", first pair moving at " << first.velocity.x << ", second at "
                                            << second.velocity.x);
            // Both pairs a little closer than the touch distance of the set's balls (2 r + 0.1).
            const float scale = BallSetSize::ForBallSet(ballSet).radiusCm / 3.275f;
            const std::pair<float, float> places[] = {
                {0.0f, 0.0f}, {6.6f * scale, 0.0f}, {60.0f, 10.0f}, {60.0f + 5.9f * scale, 10.0f + 2.9f * scale}};
            auto both = MakeModel(code, 0, {places[0], places[1], places[2], places[3]}, ballSet);
            both->Ball(1).velocity = first.velocity;
            both->Ball(1).spin = first.spin;
            both->Ball(3).velocity = second.velocity;
            both->Ball(3).spin = second.spin;
            both->CollideBalls();
            EXPECT_LT(both->Ball(0).velocity.x, -0.5f) << "the first pair touched";
            EXPECT_LT(both->Ball(2).velocity.x, -0.5f) << "the second pair touched";
            for (const uint16_t pair : {0, 1}) {
                const Motion& motion = pair == 0 ? first : second;
                auto alone = MakeModel(code, 0, {places[2 * pair], places[2 * pair + 1]}, ballSet);
                alone->Ball(1).velocity = motion.velocity;
                alone->Ball(1).spin = motion.spin;
                alone->CollideBalls();
                expectSameBits(alone->Ball(0), both->Ball(2 * pair));
                expectSameBits(alone->Ball(1), both->Ball(2 * pair + 1));
            }
        }
    }
}

TEST_F(BallContactTest, PocketedBallsAreLeftOut) {
    auto model = HeadOn(0x10014, 1);
    model->Ball(0).pocketed = 2;
    EXPECT_FALSE(model->CollideBalls());
    EXPECT_TRUE(ThePhysicsEventList().Empty());
}

}  // namespace
}  // namespace kestrovan::test
