// The orientation turns computed with the AVX registers give the bits of the baseline code.
#include <cfenv>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "client/physics/OrientationTurns.h"
#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsModelFactory.h"
#include "platform/system/FpuMode.h"
#include "tests/client/physics/PhysicsFixture.h"

namespace kestrovan::test {
namespace {

class OrientationTurnsTest : public PhysicsTest {};

// A spin of any size: mostly a few hundred turns per second, some zero, some too small to have an axis, some so
// large that the half angle leaves the series' range, and now and then not a number.
quill::Vec3 RandomSpin(std::mt19937& random) {
    std::uniform_real_distribution<float> rate(-300.0f, 300.0f);
    const uint32_t kind = random() % 256;
    if (kind < 16) {
        return {};
    }
    if (kind < 24) {
        return {1e-30f, -2e-31f, 0.0f};
    }
    if (kind < 40) {
        return {rate(random) * 1e5f, rate(random), rate(random) * 1e5f};
    }
    if (kind == 40) {
        return {rate(random), std::numeric_limits<float>::quiet_NaN(), 0.0f};
    }
    return {rate(random), rate(random), rate(random)};
}

// Turns balls balls by random spins rounds times, with the baseline and the wide code, and expects the same bits;
// returns the number of orientations compared that stayed numbers. Each ball has a random count of turns (some
// none), or count turns when count is not 0.
size_t CompareWideWithBaseline(uint16_t balls, int rounds, std::mt19937& random, uint32_t count = 0) {
    constexpr float kDt = 0.0004f;
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    size_t compared = 0;
    for (int round = 0; round < rounds; ++round) {
        std::unique_ptr<PhysicsModel> models[2] = {
            std::unique_ptr<PhysicsModel>(CreatePhysicsModel(0x10014, 0, balls, false)),
            std::unique_ptr<PhysicsModel>(CreatePhysicsModel(0x10014, 0, balls, false))};
        OrientationTurns baseline(false);
        OrientationTurns wide(true);
        baseline.Resize(balls);
        wide.Resize(balls);
        for (uint16_t i = 0; i < balls; ++i) {
            const quill::Quaternion q{unit(random), unit(random), unit(random), unit(random)};
            models[0]->Ball(i).orientation = models[1]->Ball(i).orientation = q;
            const uint32_t turns =
                count != 0 ? count : random() % 4 == 0 ? 0 : 1 + random() % OrientationTurns::kCapacity;
            for (uint32_t k = 0; k < turns; ++k) {
                const quill::Vec3 spin = RandomSpin(random);
                EXPECT_EQ(baseline.Add(i, spin), k + 1 < turns || turns < OrientationTurns::kCapacity);
                wide.Add(i, spin);
            }
        }
        baseline.ApplyAll(*models[0], kDt);
        wide.ApplyAll(*models[1], kDt);
        for (uint16_t i = 0; i < balls; ++i) {
            const quill::Quaternion& expected = models[0]->Ball(i).orientation;
            const quill::Quaternion& q = models[1]->Ball(i).orientation;
            EXPECT_EQ(Bits(q.x), Bits(expected.x)) << balls << " balls, ball " << i;
            EXPECT_EQ(Bits(q.y), Bits(expected.y)) << balls << " balls, ball " << i;
            EXPECT_EQ(Bits(q.z), Bits(expected.z)) << balls << " balls, ball " << i;
            EXPECT_EQ(Bits(q.w), Bits(expected.w)) << balls << " balls, ball " << i;
            if (Bits(q.x) != Bits(expected.x) || Bits(q.w) != Bits(expected.w)) {
                return compared;
            }
            compared += std::isnan(q.x) ? 0 : 1;
        }
    }
    return compared;
}

TEST_F(OrientationTurnsTest, TheWideCodeTurnsEveryBallToTheBitsOfTheBaselineCode) {
    if (!OrientationTurns::SupportsWide()) {
        GTEST_SKIP() << "no AVX on this processor";
    }
    std::mt19937 random(12);
    size_t compared = 0;
    // Ball counts that fill no group, one group of four or eight, and groups with balls left over; some balls do
    // not turn at all, the others a count of turns up to the capacity.
    for (const uint16_t balls : {1, 2, 3, 4, 5, 7, 8, 9, 12, 15, 16, 19}) {
        compared += CompareWideWithBaseline(balls, 20, random);
    }
    EXPECT_GT(compared, 500u);  // most orientations stay numbers
}

// In the physics' mode the wide code takes the quotients of lengths just below 1 from multiplications in double
// precision instead of the root and the divisions; outside it, it divides. Both give the bits of the division, over
// enough turns of one to three balls that every such length comes up many times, also when two balls turned side by
// side have the same count of turns (a whole number of blocks or not).
TEST_F(OrientationTurnsTest, TheWideTurnsOfFewBallsDivideToTheBitsOfTheBaselineCodeInEveryMode) {
    if (!OrientationTurns::SupportsWide()) {
        GTEST_SKIP() << "no AVX on this processor";
    }
    std::mt19937 random(7);
    for (const uint16_t balls : {1, 2, 3}) {
        EXPECT_GT(CompareWideWithBaseline(balls, 300, random), 150u * balls);
        for (const uint32_t count : {8u, 13u, OrientationTurns::kCapacity}) {
            CompareWideWithBaseline(balls, 5, random, count);
        }
    }
    std::fesetenv(FE_DFL_ENV);
    for (const uint16_t balls : {1, 2, 3}) {
        EXPECT_GT(CompareWideWithBaseline(balls, 30, random), 15u * balls);
    }
    platform::SetThreadFpuMode();
}

// A row of spins read with a stride, four at a time where it can, keeps the same turns as adding them one by one,
// also behind turns already waiting and for rows whose length is no multiple of four.
TEST_F(OrientationTurnsTest, ARowOfSpinsTurnsAsTheSpinsAddedOneByOne) {
    constexpr float kDt = 0.0004f;
    constexpr size_t kStride = 4;
    std::mt19937 random(5);
    std::uniform_real_distribution<float> rate(-300.0f, 300.0f);
    for (const uint32_t before : {0u, 1u, 3u}) {
        for (uint32_t count = 0; count <= 9; ++count) {
            std::unique_ptr<PhysicsModel> models[2] = {
                std::unique_ptr<PhysicsModel>(CreatePhysicsModel(0x10014, 0, 1, false)),
                std::unique_ptr<PhysicsModel>(CreatePhysicsModel(0x10014, 0, 1, false))};
            OrientationTurns one;
            OrientationTurns rows;
            one.Resize(1);
            rows.Resize(1);
            for (uint32_t k = 0; k < before; ++k) {
                const quill::Vec3 spin{rate(random), rate(random), rate(random)};
                one.Add(0, spin);
                rows.Add(0, spin);
            }
            float spins[3][10 * kStride] = {};
            for (uint32_t k = 0; k < count; ++k) {
                const quill::Vec3 spin{rate(random), rate(random), rate(random)};
                spins[0][k * kStride + 1] = spin.x;
                spins[1][k * kStride + 1] = spin.y;
                spins[2][k * kStride + 1] = spin.z;
                one.Add(0, spin);
            }
            rows.AddRow(0, &spins[0][1], &spins[1][1], &spins[2][1], kStride, count);
            ASSERT_EQ(rows.Room(0), one.Room(0));
            one.ApplyAll(*models[0], kDt);
            rows.ApplyAll(*models[1], kDt);
            const quill::Quaternion& expected = models[0]->Ball(0).orientation;
            const quill::Quaternion& q = models[1]->Ball(0).orientation;
            EXPECT_EQ(Bits(q.x), Bits(expected.x)) << before << " waiting, " << count << " in the row";
            EXPECT_EQ(Bits(q.y), Bits(expected.y)) << before << " waiting, " << count << " in the row";
            EXPECT_EQ(Bits(q.z), Bits(expected.z)) << before << " waiting, " << count << " in the row";
            EXPECT_EQ(Bits(q.w), Bits(expected.w)) << before << " waiting, " << count << " in the row";
        }
    }
}

}  // namespace
}  // namespace kestrovan::test
