// The cushion passes. The base model's pass is the 10001 series' first version with its own contact step (0x10000
// to 0x10004, penetration springs); the second version has the deforming rebound (0x10005 to 0x1000C) and the
// third the jaw's own friction (0x1000D to 0x1000F). The 10010 series has a pass of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "client/physics/CushionContactStep.h"
#include "client/physics/PhysicsConstants.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

constexpr uint32_t kBaseModel = 0x10000;
constexpr uint32_t kFirstVersion = 0x10001;
constexpr uint32_t kSecondVersion = 0x10005;
constexpr uint32_t kThirdVersion = 0x1000D;
constexpr uint32_t kTenTen = 0x10014;
constexpr uint32_t kEveryPass[] = {kBaseModel, kFirstVersion, kSecondVersion, kThirdVersion, kTenTen};

class CushionPassTest : public PhysicsTest {
protected:
    // Whether the ball's axis still holds a contact: its penetration (the penetration pass) or its deformation.
    static bool InContact(uint32_t code, const PhysicsBall& ball, int axis) {
        return code <= 0x10004 ? ball.bedVector[axis] != 0.0f : !ball.cushionPress[axis].Equals(quill::kZeroVector);
    }

    // A model of the code on table kind 0 whose one ball rests on the cloth at (x, y) and moves at velocity.
    PhysicsBall& Roll(uint32_t code, float x, float y, const quill::Vec3& velocity) {
        model_ = MakeModel(code, 0, {{x, y}});
        PhysicsBall& ball = model_->Ball(0);
        ball.velocity = velocity;
        return ball;
    }

    std::unique_ptr<PhysicsModel> model_;
};

TEST_F(CushionPassTest, AStraightHitGivesOneEventAndBouncesInEveryVersion) {
    for (const uint32_t code : kEveryPass) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        PhysicsBall& ball = Roll(code, 110.0f, 0.0f, {1.0f, 0.0f, 0.0f});
        ball.spin = {0.0f, 1.0f / ball.radiusM, 0.0f};
        std::vector<PhysicsEvent> events;
        float speedBefore = 0.0f;
        for (int call = 0; call < 100 && !(ball.velocity.x < 0.0f && ball.cushionMask == 0); ++call) {
            const float vx = ball.velocity.x;
            model_->Simulate(0.005f, 50, 1.0f);
            for (const PhysicsEvent& event : EventsOf(PhysicsEventKind::Cushion)) {
                events.push_back(event);
                speedBefore = vx;
            }
        }
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].ball, 0);
        EXPECT_EQ(events[0].ExtraLow(), 2) << "the cushion at noseMaxX, no jaw";
        EXPECT_EQ(events[0].ExtraHigh(), 0);
        EXPECT_EQ(events[0].vector.x, -ball.radiusCm) << "the test's contact vector, not normalised";
        EXPECT_FLOAT_EQ(events[0].vector.z, ball.radiusCm - 4.2f);
        // strength = mass x approach speed x the vector's length along the approach.
        EXPECT_NEAR(events[0].strength, ball.mass * speedBefore * ball.radiusCm, 0.01f * events[0].strength);
        EXPECT_LT(ball.velocity.x, 0.0f) << "the ball comes back";
        EXPECT_GT(ball.velocity.x, -speedBefore) << "slower than it came";
        EXPECT_FALSE(InContact(code, ball, 0));
    }
}

TEST_F(CushionPassTest, ABallMovingAwayFromTheCushionIsNoContact) {
    for (const uint32_t code : kEveryPass) {
        PhysicsBall& ball = Roll(code, 120.0f - 3.0f, 0.0f, {-0.5f, 0.0f, 0.0f});
        model_->CollideCushions(ball, 0.0001f);
        EXPECT_TRUE(ThePhysicsEventList().Empty());
        EXPECT_EQ(ball.cushionMask, 0);
        EXPECT_EQ(ball.velocity.x, -0.5f) << "no impulse";
    }
}

TEST_F(CushionPassTest, ACornerIsTwoContactsThatEndOnTheirOwn) {
    for (const uint32_t code : kEveryPass) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        PhysicsBall& ball = Roll(code, 120.0f - 3.0f, 60.0f - 3.0f, {1.0f, 0.2f, 0.0f});
        model_->CollideCushions(ball, 0.00002f);
        const std::vector<PhysicsEvent> events = EventsOf(PhysicsEventKind::Cushion);
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].ExtraLow(), 2) << "the x axis first";
        EXPECT_EQ(events[1].ExtraLow(), 8);
        EXPECT_EQ(ball.cushionMask, 10);
        EXPECT_TRUE(InContact(code, ball, 0));
        EXPECT_TRUE(InContact(code, ball, 1));

        // Each contact lets go on its own: for a while only one of them is left.
        bool oneLeft = false;
        for (int step = 0; step < 20000 && ball.cushionMask != 0; ++step) {
            model_->CollideCushions(ball, 0.00002f);
            const bool xOnly = ball.cushionMask == 2 && InContact(code, ball, 0) && !InContact(code, ball, 1);
            const bool yOnly = ball.cushionMask == 8 && InContact(code, ball, 1) && !InContact(code, ball, 0);
            oneLeft = oneLeft || xOnly || yOnly;
        }
        EXPECT_TRUE(oneLeft);
        EXPECT_EQ(ball.cushionMask, 0);
        EXPECT_LT(ball.velocity.x, 0.0f);
        EXPECT_LT(ball.velocity.y, 0.0f);
    }
}

TEST_F(CushionPassTest, ANewContactRestartsTheXCountersInThePenetrationPass) {
    // The penetration pass restarts the x axis's counters for a new contact on either axis; the later versions
    // restart the contact's own axis.
    for (const uint32_t code : {kBaseModel, kFirstVersion, kSecondVersion}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        PhysicsBall& ball = Roll(code, 0.0f, 60.0f - 3.0f, {0.0f, 0.5f, 0.0f});
        ball.cushionPositive[0] = ball.cushionPositive[1] = 1;
        ball.cushionSteps[0] = ball.cushionSteps[1] = 3;
        model_->CollideCushions(ball, 0.0001f);
        ASSERT_EQ(EventsOf(PhysicsEventKind::Cushion).size(), 1u);
        const int restarted = code == kSecondVersion ? 1 : 0;
        EXPECT_EQ(ball.cushionPositive[restarted], 0);
        EXPECT_EQ(ball.cushionSteps[restarted], 0);
        EXPECT_EQ(ball.cushionPositive[1 - restarted], 1);
        EXPECT_EQ(ball.cushionSteps[1 - restarted], 3);
        EXPECT_TRUE(InContact(code, ball, 1)) << "the y contact's penetration or deformation";
        EXPECT_FALSE(InContact(code, ball, 0));
    }
}

TEST_F(CushionPassTest, TheEndOfASingleYContactClearsTheXPenetration) {
    // A ball leaving the cushion at noseMaxY with almost no penetration left: the release ends the contact, and
    // the x axis's penetration is cleared while the y axis's stays as the last sub-step left it.
    for (const uint32_t code : {kBaseModel, kFirstVersion}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        PhysicsBall& ball = Roll(code, 0.0f, 60.0f - 3.0f, {0.0f, -0.5f, 0.0f});
        ball.cushionMask = 8;
        ball.bedVector[0] = 0.0003f;
        ball.bedVector[1] = 1e-7f;
        model_->CollideCushions(ball, 0.0001f);
        EXPECT_EQ(ball.cushionMask, 0);
        EXPECT_EQ(ball.bedVector[0], 0.0f);
        EXPECT_LT(ball.bedVector[1], 0.0f) << "the y penetration goes stale";
        EXPECT_TRUE(ThePhysicsEventList().Empty());
    }
}

TEST_F(CushionPassTest, TheFirstVersionReleasesBelowItsThreshold) {
    // dt 0.02: sub-steps of 0.001 s and a release threshold of K32 x 0.001 = 0.00005.
    for (const float penetration : {0.00004f, 0.001f}) {
        PhysicsBall& ball = Roll(kFirstVersion, 120.0f - 3.0f, 0.0f, {-0.01f, 0.0f, 0.0f});
        ball.cushionMask = 2;
        ball.bedVector[0] = penetration;
        model_->CollideCushions(ball, 0.02f);
        if (penetration < 0.00005f) {
            EXPECT_EQ(ball.cushionMask, 0);
            EXPECT_EQ(ball.velocity.x, -0.01f) << "released in the first sub-step, no push";
        } else {
            EXPECT_LT(ball.velocity.x, -0.01f) << "the compressed cushion pushes the ball out";
        }
        EXPECT_TRUE(ThePhysicsEventList().Empty()) << "a continuing contact is not new";
    }
}

// With a lever (radiusM) longer than the nose height, the nose height follows the deformation, so the contact
// vector changes between sub-steps and the pass recomputes its normal; the bits are those the pass gave when it
// recomputed the normal in every sub-step: in the middle of the contact and after it let go.
TEST_F(CushionPassTest, ANoseHeightThatFollowsTheDeformationKeepsItsBits) {
    PhysicsBall& ball = Roll(kTenTen, 120.0f - 2.5f, 0.0f, {1.0f, 0.3f, 0.0f});
    ball.spin = {1.0f, 20.0f, -3.0f};
    ball.radiusM = 5.0f;
    const auto bitsOf = [&ball] {
        const quill::Vec3& d = ball.cushionPress[0];
        return std::vector<uint32_t>{Bits(ball.velocity.x),
                                     Bits(ball.velocity.y),
                                     Bits(ball.velocity.z),
                                     Bits(ball.spin.x),
                                     Bits(ball.spin.y),
                                     Bits(ball.spin.z),
                                     Bits(d.x),
                                     Bits(d.y),
                                     Bits(d.z)};
    };
    model_->CollideCushions(ball, 0.0005f);
    EXPECT_EQ(ball.cushionMask, 2);
    EXPECT_EQ(bitsOf(), (std::vector<uint32_t>{0xbe237d81, 0x3e99bb11, 0xbf1f4ee9, 0x3f7da132, 0x419ef743, 0xc03ee690,
                                               0xb9555dff, 0x37a7193e, 0x3826ffb5}));
    model_->CollideCushions(ball, 0.0005f);
    EXPECT_EQ(ball.cushionMask, 0);
    EXPECT_EQ(bitsOf(),
              (std::vector<uint32_t>{0xbf1d15d3, 0x3e99ef9c, 0xbf5d52d2, 0x3f79e7d5, 0x419d590a, 0xc03d2d42, 0, 0, 0}));
}

TEST_F(CushionPassTest, TheSeriesContactStepCountsTheCutImpulseMore) {
    CushionNormal normal;
    normal.n = quill::Vec3{-0.96f, 0.0f, 0.28f};
    normal.ex = -1.0f;
    normal.ch = 0.96f;
    PhysicsConstants k;
    k[18] = k[19] = 0.28f;
    k[23] = 0.8f;
    using Motion = std::pair<quill::Vec3, quill::Vec3>;  // velocity and spin
    const Motion start{{1.0f, 0.7f, -0.1f}, {0.0f, 30.0f, 0.0f}};
    const auto stepOf = [&](uint32_t code) {
        Motion m = start;
        MakeModel(code, 0, {{0.0f, 0.0f}})
            ->CushionContactStep(m.first, m.second, normal, 2000.0f, 0.9f, 0.03275f, 0.0131f, 0.000005f, k);
        return m;
    };
    Motion expected = start;
    CushionContactStep::Apply(expected.first, expected.second, normal, 2000.0f, 0.9f, 0.03275f, 0.0131f, 0.000005f, k,
                              0.02f, false);
    const Motion series = stepOf(kFirstVersion);
    EXPECT_TRUE(series.first.Equals(expected.first)) << "a cut impulse of 0.02 / h";
    EXPECT_TRUE(series.second.Equals(expected.second));
    EXPECT_FALSE(stepOf(kBaseModel).first.Equals(series.first)) << "the base model's step counts 0.015 / h";
}

TEST_F(CushionPassTest, OnlyTheThirdVersionReportsTheUpperFace) {
    for (const uint32_t code : {kBaseModel, kFirstVersion, kSecondVersion, kThirdVersion}) {
        SCOPED_TRACE(testing::Message() << std::hex << "code 0x" << code);
        // A ball above the nose, half a centimetre over the cushion, coming down onto its sloping top.
        PhysicsBall& ball = Roll(code, 0.0f, 0.0f, {0.5f, 0.0f, -0.5f});
        ball.position = {120.5f, 0.0f, 7.2f};
        model_->CollideCushions(ball, 0.0001f);
        const std::vector<PhysicsEvent> events = EventsOf(PhysicsEventKind::Cushion);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].ExtraLow(), 2);
        EXPECT_EQ(events[0].ExtraHigh(), code == kThirdVersion ? 1 : 0);
    }
}

class JawContactTest : public PhysicsTest {
protected:
    // A ball rolling along x into the jaw of the corner pocket 6 on the cushion at noseMaxX (table kind 1), run
    // until its cushion contact has ended; returns the ball's final velocity.
    static quill::Vec3 HitTheJaw(uint32_t code, float k20, float k21, float k30, std::vector<PhysicsEvent>* events) {
        auto model = MakeModel(code, 1, {{122.0f, 63.75f - 6.0f}});
        ThePhysicsConstants()[20] = k20;
        ThePhysicsConstants()[21] = k21;
        ThePhysicsConstants()[30] = k30;
        PhysicsBall& ball = model->Ball(0);
        ball.velocity = {1.0f, 0.3f, 0.0f};
        ball.spin = {-0.3f / ball.radiusM, 1.0f / ball.radiusM, 0.0f};
        bool touched = false;
        for (int call = 0; call < 200; ++call) {
            model->Simulate(0.005f, 15, 1.0f);
            for (const PhysicsEvent& event : EventsOf(PhysicsEventKind::Cushion)) {
                events->push_back(event);
            }
            touched = touched || ball.cushionMask != 0;
            if (touched && ball.cushionMask == 0) {
                break;
            }
        }
        return model->Ball(0).velocity;
    }
};

TEST_F(JawContactTest, JawContactsUseTheJawConstantsOfTheirVersion) {
    std::vector<PhysicsEvent> events;
    // The first version marks a jaw contact (K30's damping) in the event's flag byte.
    HitTheJaw(kFirstVersion, 0.0f, 0.0f, 80.0f, &events);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].ExtraLow(), 2 | 0x10);

    // Both later versions damp a jaw contact with K30.
    for (const uint32_t code : {kSecondVersion, kThirdVersion}) {
        events.clear();
        const quill::Vec3 soft = HitTheJaw(code, 0.056f, 0.06f, 250.0f, &events);
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events[0].ExtraLow(), 2);
        const quill::Vec3 hard = HitTheJaw(code, 0.056f, 0.06f, 20.0f, &events);
        EXPECT_FALSE(soft.Equals(hard)) << std::hex << code;
    }
    // Only the third also takes the jaw's friction, K20 and K21.
    const quill::Vec3 second = HitTheJaw(kSecondVersion, 0.056f, 0.06f, 250.0f, &events);
    EXPECT_TRUE(second.Equals(HitTheJaw(kSecondVersion, 0.5f, 0.5f, 250.0f, &events)));
    const quill::Vec3 third = HitTheJaw(kThirdVersion, 0.056f, 0.06f, 250.0f, &events);
    EXPECT_FALSE(third.Equals(HitTheJaw(kThirdVersion, 0.5f, 0.5f, 250.0f, &events)));
}

}  // namespace
}  // namespace kestrovan::test
