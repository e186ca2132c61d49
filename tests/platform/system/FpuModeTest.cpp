#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <thread>

#include "platform/system/FpuMode.h"
#include "platform/system/ScopedFpuMode.h"

namespace platform {
namespace {

struct Results {
    float oneThird;
    float minusOneThird;
    float denormalInput;
    float halfOfSmallestNormal;
    float overflow;
};

// volatile operands keep the compiler from computing at build time, in the default mode.
Results Compute() {
    volatile float one = 1.0f;
    volatile float three = 3.0f;
    volatile float denormal = 1.0e-40f;
    volatile float smallest = FLT_MIN;
    volatile float huge = FLT_MAX;
    return Results{one / three, -one / three, denormal * one, smallest * 0.5f, huge * three};
}

TEST(FpuModeTest, RoundsTowardZeroAndFlushesDenormalsOnTheSettingThreadOnly) {
    Results set{};
    Results other{};
    std::jthread([&] {
        SetThreadFpuMode();
        set = Compute();
    }).join();
    std::jthread([&] { other = Compute(); }).join();

    // 1/3 lies between 0x3EAAAAAA and 0x3EAAAAAB; nearest is the upper, toward zero the lower.
    EXPECT_EQ(set.oneThird, std::nextafter(0.33333334f, 0.0f));
    EXPECT_EQ(set.minusOneThird, -set.oneThird);
    EXPECT_EQ(set.denormalInput, 0.0f);
    EXPECT_EQ(set.halfOfSmallestNormal, 0.0f);
    EXPECT_EQ(set.overflow, FLT_MAX) << "toward zero, an overflow stops at the largest finite value";

    EXPECT_EQ(other.oneThird, 0.33333334f);
    EXPECT_GT(other.denormalInput, 0.0f);
    EXPECT_GT(other.halfOfSmallestNormal, 0.0f);
    EXPECT_TRUE(std::isinf(other.overflow));
}

TEST(FpuModeTest, AScopedModeAppliesWithinItsScopeAndGivesTheThreadItsOwnModeBack) {
    Results inside{};
    Results after{};
    std::jthread([&] {
        {
            ScopedFpuMode mode;
            inside = Compute();
        }
        after = Compute();
    }).join();
    EXPECT_EQ(inside.oneThird, std::nextafter(0.33333334f, 0.0f));
    EXPECT_EQ(inside.denormalInput, 0.0f);
    EXPECT_EQ(after.oneThird, 0.33333334f);
    EXPECT_GT(after.denormalInput, 0.0f);
    EXPECT_TRUE(std::isinf(after.overflow));
}

}  // namespace
}  // namespace platform
