// Sleeping, the timers and rand.
#include <gtest/gtest.h>

#include <vector>

#include "platform/system/Clock.h"
#include "platform/system/Rand.h"
#include "platform/system/Sleep.h"

namespace platform {
namespace {

TEST(SleepTest, HookStandsInForSleepingUntilCleared) {
    std::vector<uint32_t> requests;
    SetSleepHook([&](uint32_t ms) { requests.push_back(ms); });
    Sleep(60000);  // would hang the test if it really slept
    Sleep(1);
    SetSleepHook({});
    EXPECT_EQ(requests, (std::vector<uint32_t>{60000, 1}));

    const uint32_t before = TimeGetTime();
    Sleep(20);
    EXPECT_GE(static_cast<uint32_t>(TimeGetTime() - before), 20u);
    EXPECT_EQ(requests.size(), 2u);
}

TEST(ClockTest, PerformanceCounterCountsNanoseconds) {
    ASSERT_EQ(QueryPerformanceFrequency(), 1'000'000'000u);
    const uint64_t before = QueryPerformanceCounter();
    Sleep(10);
    EXPECT_GE(QueryPerformanceCounter() - before, 10'000'000u);
}

TEST(RandTest, FollowsTheRuntimeSequenceOfFifteenBitValues) {
    SRand(1);
    const std::vector<int> seedOne = {Rand(), Rand(), Rand(), Rand(), Rand()};
    EXPECT_EQ(seedOne, (std::vector<int>{41, 18467, 6334, 26500, 19169}));  // the high bit of three is cut
    SRand(1);
    EXPECT_EQ(Rand(), 41) << "a seed restarts the sequence";
}

}  // namespace
}  // namespace platform
