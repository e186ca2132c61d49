#include <gtest/gtest.h>

#include <thread>
#include <tuple>
#include <vector>

#include "QuillLib/core/EventQueue.h"
#include "platform/system/Sleep.h"
#include "tests/support/common/LogCapture.h"

namespace quill {
namespace {

TEST(EventQueueTest, EventsComeOutInTheOrderTheyWerePosted) {
    EventQueue queue(16);
    EXPECT_EQ(queue.Pop(), nullptr);
    for (uint32_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(queue.Post(1024 + i, i, 2 * i, 3 * i));
    }
    EXPECT_EQ(queue.Count(), 3u);
    for (uint32_t i = 0; i < 3; ++i) {
        AppEvent* event = queue.Pop();
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(std::tie(event->id, event->wParam, event->lParam, event->extra),
                  std::make_tuple(1024 + i, i, 2 * i, 3 * i));
        queue.Release(event);
    }
    EXPECT_EQ(queue.Pop(), nullptr);
}

// A post never waits for room: an ordinary event is dropped at once with a warning, one that must not be lost is
// kept beyond the pool and comes out in its place, and every event goes back to where it came from.
TEST(EventQueueTest, AFullQueueDropsOrdinaryEventsAtOnceAndKeepsTheOthersInOrder) {
    test::LogCapture log;
    size_t sleeps = 0;
    platform::SetSleepHook([&](uint32_t) { ++sleeps; });
    EventQueue queue(2);
    EXPECT_TRUE(queue.Post(1030, 0, 0, 0));
    queue.PostKept(1031, 0, 0, 0);
    EXPECT_FALSE(queue.Post(1032, 7, 8, 9));
    queue.PostKept(1108, 1, 2, 3);
    queue.PostKept(1109, 0, 0, 0);
    platform::SetSleepHook({});

    EXPECT_EQ(sleeps, 0u);
    EXPECT_EQ(queue.Count(), 4u);
    EXPECT_TRUE(log.Contains("WARNING: event queue full, event 1032 dropped\n")) << log.Text();
    std::vector<uint32_t> ids;
    while (AppEvent* event = queue.Pop()) {
        ids.push_back(event->id);
        queue.Release(event);
    }
    EXPECT_EQ(ids, (std::vector<uint32_t>{1030, 1031, 1108, 1109}));
    // Both blocks are free again: a second round fits the pool.
    EXPECT_TRUE(queue.Post(1030, 0, 0, 0));
    EXPECT_TRUE(queue.Post(1031, 0, 0, 0));
}

// Producers that outrun the consumer overflow the pool into kept events, which keep their places.
TEST(EventQueueStressTest, ProducersLoseNothingAndKeepTheirOrder) {
    constexpr uint32_t kProducers = 4;
    constexpr uint32_t kEventsEach = 5000;
    EventQueue queue(1024);
    std::vector<std::thread> producers;
    for (uint32_t producer = 0; producer < kProducers; ++producer) {
        producers.emplace_back([&queue, producer] {
            for (uint32_t sequence = 0; sequence < kEventsEach; ++sequence) {
                queue.PostKept(1024, producer, sequence, 0);
            }
        });
    }

    // Each producer's events must arrive as 0, 1, 2, ...: a gap, repeat or swap breaks the run.
    std::vector<uint32_t> nextExpected(kProducers, 0);
    bool inOrder = true;
    for (uint32_t received = 0; received < kProducers * kEventsEach;) {
        AppEvent* event = queue.Pop();
        if (!event) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_LT(event->wParam, kProducers);
        inOrder = inOrder && event->lParam == nextExpected[event->wParam];
        nextExpected[event->wParam] = event->lParam + 1;
        queue.Release(event);
        ++received;
    }
    for (std::thread& producer : producers) {
        producer.join();
    }
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(nextExpected, std::vector<uint32_t>(kProducers, kEventsEach));
    EXPECT_EQ(queue.Pop(), nullptr);
}

}  // namespace
}  // namespace quill
