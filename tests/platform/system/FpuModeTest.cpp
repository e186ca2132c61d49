#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "platform/system/FpuMode.h"
#include "platform/system/Thread.h"

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

Results ComputeOnFreshThread(bool setMode) {
    Results results{};
    Thread thread;
    EXPECT_TRUE(thread.Start([&] {
        if (setMode) {
            SetThreadFpuMode();
        }
        results = Compute();
    }));
    EXPECT_TRUE(thread.Join());
    return results;
}

TEST(FpuModeTest, RoundsTowardZeroAndFlushesDenormals) {
    const Results results = ComputeOnFreshThread(true);
    // 1/3 lies between 0x3EAAAAAA and 0x3EAAAAAB; nearest is the upper, toward zero the lower.
    EXPECT_EQ(results.oneThird, std::nextafter(0.33333334f, 0.0f));
    EXPECT_EQ(results.minusOneThird, -results.oneThird);
    EXPECT_EQ(results.denormalInput, 0.0f);
    EXPECT_EQ(results.halfOfSmallestNormal, 0.0f);
    EXPECT_EQ(results.overflow, FLT_MAX) << "toward zero, an overflow stops at the largest finite value";
}

TEST(FpuModeTest, OtherThreadsKeepTheDefaultMode) {
    const Results mine = ComputeOnFreshThread(true);
    (void)mine;
    const Results results = ComputeOnFreshThread(false);
    EXPECT_EQ(results.oneThird, 0.33333334f);
    EXPECT_GT(results.denormalInput, 0.0f);
    EXPECT_GT(results.halfOfSmallestNormal, 0.0f);
    EXPECT_TRUE(std::isinf(results.overflow));
}

}  // namespace
}  // namespace platform
