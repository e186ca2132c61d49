#include "client/app/FrameClock.h"

#include <gtest/gtest.h>

#include <memory>

namespace kestrovan {
namespace {

// A clock on a millisecond timer the test sets, 200 ticks per second (5 ms) on both channels.
struct ManualClock {
    std::shared_ptr<uint64_t> now = std::make_shared<uint64_t>(1000);
    FrameClock clock{FrameClock::Source{[n = now] { return *n; }, 1000, [n = now] { return *n; }}};

    ManualClock() {
        clock.UseMillisecondTimer();
        clock.SetUpdateRate(200);
        clock.SetRenderRate(200);
        clock.StartUpdateChannel();
    }
    int DueTests(int tests) {
        int due = 0;
        for (int i = 0; i < tests; ++i) due += clock.IsUpdateDue() ? 1 : 0;
        return due;
    }
};

TEST(FrameClock, WorksOffShortStallsAndResynchronisesLongOnes) {
    ManualClock m;
    *m.now += 12;
    EXPECT_TRUE(m.clock.IsUpdateDue());
    EXPECT_TRUE(m.clock.IsUpdateDue());
    EXPECT_FALSE(m.clock.IsUpdateDue());
    *m.now += 3;
    EXPECT_TRUE(m.clock.IsUpdateDue());

    *m.now += 100;
    EXPECT_EQ(m.DueTests(20), 5);  // the first and four catch-up ticks; the rest is dropped
    EXPECT_EQ(m.clock.GetTimeTenthMs(), static_cast<int64_t>(*m.now) * 10);
    EXPECT_EQ(m.clock.GetTimeMs(), static_cast<int64_t>(*m.now));
}

TEST(FrameClock, MeasuresAfterTheNextTickThenEveryHalfRate) {
    ManualClock m;
    *m.now += 5;
    EXPECT_TRUE(m.clock.IsUpdateDue());
    EXPECT_EQ(m.clock.GetMeasuredUpdateRate(), 200);
    // Catch-up ticks within the same millisecond measure nothing (no division by zero).
    *m.now += 200;
    EXPECT_EQ(m.DueTests(5), 5);
    EXPECT_GE(m.clock.GetMeasuredUpdateRate(), 0);
}

TEST(FrameClock, KeepsTickingAcrossTheThirtyTwoBitWrap) {
    ManualClock m;
    *m.now = 0xFFFFFFF0ull;
    m.clock.StartUpdateChannel();
    int due = 0;
    for (int step = 0; step < 40; ++step) {
        *m.now += 1;
        due += m.clock.IsUpdateDue() ? 1 : 0;
    }
    EXPECT_EQ(due, 8);
}

// A loop between ticks sleeps for the rest of the interval, rounded up to a whole millisecond.
TEST(FrameClock, TellsHowLongUntilTheNextTickIsDue) {
    ManualClock m;
    EXPECT_EQ(m.clock.MsUntilUpdateDue(), 5u);
    *m.now += 2;
    EXPECT_EQ(m.clock.MsUntilUpdateDue(), 3u);
    *m.now += 3;
    EXPECT_EQ(m.clock.MsUntilUpdateDue(), 0u);
    EXPECT_TRUE(m.clock.IsUpdateDue());
    EXPECT_EQ(m.clock.MsUntilUpdateDue(), 5u);
    *m.now += 40;  // behind: due at once, until the catch-up ticks are worked off
    EXPECT_EQ(m.clock.MsUntilUpdateDue(), 0u);

    // In counter mode a fraction of a millisecond left is waited as a whole one.
    auto counter = std::make_shared<uint64_t>(1'000'000);
    FrameClock precise{FrameClock::Source{[counter] { return *counter; }, 1'000'000, [] { return uint64_t{0}; }}};
    precise.SetRenderRate(60);
    precise.StartRenderChannel();
    *counter += 16'000;
    EXPECT_EQ(precise.MsUntilRenderDue(), 1u);  // 0.666 ms left of 16.666
    EXPECT_EQ(precise.GetRenderRate(), 60);
}

}  // namespace
}  // namespace kestrovan
