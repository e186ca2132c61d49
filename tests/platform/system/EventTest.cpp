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
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    return condition();
}

// Threads that each wait once for event and count themselves released; joined when the vector goes. The wait
// is bounded so that a failing test ends rather than hangs.
std::vector<std::jthread> StartWaiters(Event& event, int count, std::atomic<int>& released) {
    std::vector<std::jthread> waiters;
    for (int i = 0; i < count; ++i) {
        waiters.emplace_back([&] {
            if (event.Wait(10000)) {
                ++released;
            }
        });
    }
    return waiters;
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

TEST(EventTest, SetReleasesOneAutoResetWaiterOrEveryManualResetWaiter) {
    Event automatic(false, false);
    std::atomic<int> released{0};
    const std::vector<std::jthread> waiters = StartWaiters(automatic, 3, released);
    for (int expected = 1; expected <= 3; ++expected) {
        automatic.Set();
        ASSERT_TRUE(Eventually([&] { return released.load() == expected; }));
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(released.load(), expected) << "one Set released more than one waiter";
    }

    Event manual(true, false);
    std::atomic<int> manualReleased{0};
    const std::vector<std::jthread> manualWaiters = StartWaiters(manual, 4, manualReleased);
    std::this_thread::sleep_for(20ms);  // most of them asleep by now, so that Set has to wake them
    manual.Set();
    EXPECT_TRUE(Eventually([&] { return manualReleased.load() == 4; }));
}

TEST(EventTest, WaitForAnyTakesTheLowestSignalledEventOrTimesOut) {
    Event first(false, false);
    Event second(false, true);
    Event third(false, true);
    const std::array<Event*, 3> events{&first, &second, &third};
    EXPECT_EQ(WaitForAny(events, 0), 1);
    EXPECT_EQ(WaitForAny(events, 0), 2) << "taking the second must leave the third set";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForAny(events, 30), -1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
    EXPECT_EQ(WaitForAny({}, 0), -1);
}

TEST(EventTest, WaitForAnyWakesWhenAnotherThreadSets) {
    Event stop(true, false);
    Event work(false, false);
    const std::array<Event*, 2> events{&stop, &work};
    std::jthread setter([&] {
        std::this_thread::sleep_for(10ms);
        work.Set();
    });
    EXPECT_EQ(WaitForAny(events, kInfinite), 1);
    EXPECT_FALSE(work.Wait(0));
}

}  // namespace
}  // namespace platform
