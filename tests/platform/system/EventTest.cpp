#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/system/Event.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

// Polls until condition holds; generous, so a loaded machine only makes it slower.
template <class Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(EventTest, ManualResetStaysSetAutoResetClearsWhenTaken) {
    Event manual(true, false);
    EXPECT_FALSE(manual.Wait(0));
    manual.Set();
    EXPECT_TRUE(manual.Wait(0));
    EXPECT_TRUE(manual.Wait(0));
    manual.Reset();
    EXPECT_FALSE(manual.Wait(0));

    Event automatic(false, true);
    EXPECT_TRUE(automatic.Wait(0));
    EXPECT_FALSE(automatic.Wait(0));
    automatic.Set();
    automatic.Set();  // a second Set before anyone waits is still one signal
    EXPECT_TRUE(automatic.Wait(0));
    EXPECT_FALSE(automatic.Wait(0));
}

TEST(EventTest, AutoResetReleasesOneWaiterPerSet) {
    Event event(false, false);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] {
            event.Wait();
            ++released;
        });
    }
    for (int expected = 1; expected <= 3; ++expected) {
        event.Set();
        ASSERT_TRUE(Eventually([&] { return released.load() == expected; }));
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(released.load(), expected) << "one Set released more than one waiter";
    }
    for (std::thread& waiter : waiters) {
        waiter.join();
    }
}

TEST(EventTest, ManualResetReleasesEveryWaiter) {
    Event event(true, false);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i) {
        waiters.emplace_back([&] {
            event.Wait();
            ++released;
        });
    }
    event.Set();
    EXPECT_TRUE(Eventually([&] { return released.load() == 4; }));
    for (std::thread& waiter : waiters) {
        waiter.join();
    }
}

TEST(EventTest, TimedWaitTimesOut) {
    Event event(false, false);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(event.Wait(30));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
}

TEST(EventTest, WaitForAnyTakesTheLowestSignalledEvent) {
    Event first(false, false);
    Event second(false, true);
    Event third(false, true);
    const std::array<Event*, 3> events{&first, &second, &third};

    EXPECT_EQ(WaitForAny(events, 0), 1);
    EXPECT_EQ(WaitForAny(events, 0), 2) << "taking the second must leave the third set";
    EXPECT_EQ(WaitForAny(events, 10), -1);
    EXPECT_EQ(WaitForAny({}, 0), -1);
}

TEST(EventTest, WaitForAnyWakesWhenAnotherThreadSets) {
    Event stop(true, false);
    Event work(false, false);
    const std::array<Event*, 2> events{&stop, &work};

    std::thread setter([&] {
        std::this_thread::sleep_for(10ms);
        work.Set();
    });
    EXPECT_EQ(WaitForAny(events, kInfinite), 1);
    setter.join();
    EXPECT_FALSE(work.Wait(0));
}

}  // namespace
}  // namespace platform
