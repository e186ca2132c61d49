// Sleeping, the timers and rand.
#include <gtest/gtest.h>

#include <set>
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

TEST(RandTest, SameSeedGivesTheSameFifteenBitSequence) {
    auto draw = [](uint32_t seed) {
        SRand(seed);
        std::vector<int> values;
        for (int i = 0; i < 1000; ++i) {
            values.push_back(Rand());
        }
        return values;
    };
    const std::vector<int> first = draw(7);
    EXPECT_EQ(draw(7), first);
    EXPECT_NE(draw(8), first);

    const std::set<int> distinct(first.begin(), first.end());
    EXPECT_GT(distinct.size(), 900u);
    EXPECT_GE(*distinct.begin(), 0);
    EXPECT_LE(*distinct.rbegin(), kRandMax);
    EXPECT_GT(*distinct.rbegin(), kRandMax / 2) << "the whole 15-bit range is used";
}

}  // namespace
}  // namespace platform
