// The cloth sub-steps that divide eight lanes at a time in the AVX registers give the bits of the baseline code, for
// single sub-steps and for runs, in every impulse form of cloth friction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "client/physics/ClothSteps.h"
#include "client/physics/OrientationTurns.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class ClothStepsTest : public PhysicsTest {};

constexpr float kDt = 0.0001f;

// Rising balls skipped (0x10005), scaled slides (0x1000A, 0x1000E), slow-speed growth (0x10014 on a carom table) and
// none (0x10010 on a pocket table).
constexpr std::pair<uint32_t, uint32_t> kForms[] = {
    {0x10005u, 0u}, {0x1000Au, 3u}, {0x1000Eu, 4u}, {0x10014u, 0u}, {0x10010u, 1u}};

// A ball on the cloth with speeds from near rest to a few m/s, rolling, nearly rolling or sliding, with or without
// spin about the vertical, placed anywhere on the bed or (near) the middle for longer runs.
void RandomRoll(PhysicsBall& ball, std::mt19937& random, bool middle) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> exponent(-4.0f, 0.7f);
    const auto speed = [&] { return unit(random) * std::pow(10.0f, exponent(random)); };
    const float reach = middle ? 0.25f : 1.0f;
    ball.position = {unit(random) * 130.0f * reach, unit(random) * 70.0f * reach, ball.radiusCm};
    ball.velocity = {speed(), random() % 5 == 0 ? 0.0f : speed(), 0.0f};
    ball.spin = {-ball.velocity.y / ball.radiusM, ball.velocity.x / ball.radiusM, 0.0f};
    const uint32_t kind = random() % 3;
    if (kind == 1) {
        ball.spin.x *= 1.0f + unit(random) * 1e-3f;
    } else if (kind == 2) {
        ball.spin = {speed() * 50.0f, speed() * 50.0f, 0.0f};
    }
    ball.spin.z = random() % 2 == 0 ? 0.0f : speed() * 20.0f;
}

// Two models of the same code and table, one stepped by the baseline code and one by the wide code.
struct Pair {
    std::unique_ptr<PhysicsModel> model[2];
    ClothSteps steps[2] = {ClothSteps(false), ClothSteps(true)};

    Pair(uint32_t code, uint32_t kind, uint16_t balls) {
        for (auto& m : model) {
            m.reset(CreatePhysicsModel(code, kind, balls, false));
            for (uint16_t i = 0; i < balls; ++i) {
                m->Ball(i).SetSize(3.05f, 0.21f);
            }
        }
        for (int side = 0; side < 2; ++side) {
            EXPECT_TRUE(steps[side].Prepare(*model[side], kDt));
        }
    }
    void ExpectSameBalls(size_t count, int trial) const {
        for (uint16_t i = 0; i < count; ++i) {
            const PhysicsBall& a = model[0]->Ball(i);
            const PhysicsBall& b = model[1]->Ball(i);
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_EQ(Bits((&a.position.x)[axis]), Bits((&b.position.x)[axis])) << "trial " << trial;
                EXPECT_EQ(Bits((&a.velocity.x)[axis]), Bits((&b.velocity.x)[axis])) << "trial " << trial;
                EXPECT_EQ(Bits((&a.spin.x)[axis]), Bits((&b.spin.x)[axis])) << "trial " << trial;
            }
            EXPECT_EQ(Bits(a.orientation.w), Bits(b.orientation.w)) << "trial " << trial;
            EXPECT_EQ(Bits(a.orientation.x), Bits(b.orientation.x)) << "trial " << trial;
            EXPECT_EQ(Bits(a.orientation.y), Bits(b.orientation.y)) << "trial " << trial;
            EXPECT_EQ(Bits(a.orientation.z), Bits(b.orientation.z)) << "trial " << trial;
            EXPECT_EQ(a.onBed, b.onBed) << "trial " << trial;
        }
    }
};

TEST_F(ClothStepsTest, TheWideCodeStepsBallsSideBySideToTheBitsOfTheBaselineCode) {
    if (!OrientationTurns::SupportsWide()) {
        GTEST_SKIP() << "no AVX on this processor";
    }
    std::mt19937 random(8);
    for (const auto& [code, kind] : kForms) {
        SCOPED_TRACE(testing::Message() << std::hex << code << " on table kind " << kind);
        Pair pair(code, kind, ClothSteps::kWidth);
        size_t taken = 0;
        for (int trial = 0; trial < 3000; ++trial) {
            const unsigned count = 1 + trial % ClothSteps::kWidth;
            unsigned stepped[2] = {};
            for (int side = 0; side < 2; ++side) {
                std::mt19937 same = random;
                PhysicsBall* balls[ClothSteps::kWidth] = {};
                for (uint16_t i = 0; i < count; ++i) {
                    balls[i] = &pair.model[side]->Ball(i);
                    RandomRoll(*balls[i], same, false);
                }
                stepped[side] = pair.steps[side].Step(std::span(balls, count));
            }
            random.discard(64);
            ASSERT_EQ(stepped[0], stepped[1]) << "trial " << trial;
            taken += static_cast<size_t>(std::popcount(stepped[0]));
            pair.ExpectSameBalls(count, trial);
        }
        EXPECT_GT(taken, 4000u) << "most balls are far enough from the cushions";
    }
}

TEST_F(ClothStepsTest, TheWideCodeRunsToTheBitsOfTheBaselineCode) {
    if (!OrientationTurns::SupportsWide()) {
        GTEST_SKIP() << "no AVX on this processor";
    }
    std::mt19937 random(13);
    for (const auto& [code, kind] : kForms) {
        SCOPED_TRACE(testing::Message() << std::hex << code << " on table kind " << kind);
        Pair pair(code, kind, ClothSteps::kMaxRunBalls);
        OrientationTurns turns[2];
        uint32_t total = 0;
        for (int trial = 0; trial < 300; ++trial) {
            const auto count = static_cast<size_t>(1 + trial % ClothSteps::kMaxRunBalls);
            const uint32_t maxSubSteps = 1 + random() % 200;
            const float allowedShift = 0.001f + static_cast<float>(random() % 2000) * 0.001f;
            uint32_t taken[2] = {};
            for (int side = 0; side < 2; ++side) {
                std::mt19937 same = random;
                std::vector<PhysicsBall*> balls;
                std::vector<uint16_t> indices;
                for (uint16_t i = 0; i < count; ++i) {
                    balls.push_back(&pair.model[side]->Ball(i));
                    indices.push_back(i);
                    RandomRoll(*balls.back(), same, trial % 2 == 0);
                }
                turns[side].Resize(pair.model[side]->BallCount());
                taken[side] = pair.steps[side].Run(balls, indices, maxSubSteps, allowedShift, {}, turns[side]);
                turns[side].ApplyAll(*pair.model[side], kDt);
            }
            random.discard(256);
            ASSERT_EQ(taken[0], taken[1]) << "trial " << trial;
            total += taken[0];
            pair.ExpectSameBalls(count, trial);
        }
        EXPECT_GT(total, 3000u);
    }
}

}  // namespace
}  // namespace kestrovan::test
