#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "LogTestSupport.h"
#include "QuillLib/core/EventQueue.h"
#include "QuillLib/core/LogSystem.h"

namespace quill {
namespace {

TEST(EventQueueTest, EventsComeOutInTheOrderTheyWerePosted) {
    EventQueue queue(16);
    EXPECT_EQ(queue.Pop(), nullptr);
    for (uint32_t i = 0; i < 5; ++i) {
        ASSERT_TRUE(queue.Post(1024 + i, i, 2 * i, 3 * i));
    }
    EXPECT_EQ(queue.Count(), 5u);
    for (uint32_t i = 0; i < 5; ++i) {
        AppEvent* event = queue.Pop();
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(event->id, 1024 + i);
        EXPECT_EQ(event->wParam, i);
        EXPECT_EQ(event->lParam, 2 * i);
        EXPECT_EQ(event->extra, 3 * i);
        queue.Pool().Free(event);
    }
    EXPECT_EQ(queue.Pop(), nullptr);
    EXPECT_EQ(queue.Count(), 0u);
    EXPECT_EQ(queue.Pool().InUse(), 0);
}

TEST(EventQueueTest, FullQueueDropsTheEventWithAWarning) {
    test::TempDirectory directory;
    test::ConsoleCapture console;
    TheLog().SetDirectory(directory.Wide());
    ASSERT_TRUE(TheLog().Start(u"Queue", 16, true));
    size_t sleeps = 0;
    platform::SetSleepHook([&](uint32_t) { ++sleeps; });

    EventQueue queue(2);
    EXPECT_TRUE(queue.Post(1030, 0, 0, 0));
    EXPECT_TRUE(queue.Post(1031, 0, 0, 0));
    EXPECT_FALSE(queue.Post(1032, 7, 8, 9));
    platform::SetSleepHook({});
    EXPECT_EQ(sleeps, PacketPool::kDefaultTries - 1);
    EXPECT_EQ(queue.Count(), 2u);
    EXPECT_EQ(queue.Pop()->id, 1030u);
    EXPECT_EQ(queue.Pop()->id, 1031u);
    EXPECT_EQ(queue.Pop(), nullptr);

    TheLog().Stop();
    const std::string warning = "WARNING: event queue full, event 1032 dropped\n";
    EXPECT_NE(directory.Read("Queue.log").find(warning), std::string::npos);
    EXPECT_EQ(console.Count(warning), 1u);
}

TEST(EventQueueStressTest, ProducersLoseNothingAndKeepTheirOrder) {
    constexpr uint32_t kProducers = 4;
    constexpr uint32_t kEventsEach = 5000;
    EventQueue queue(1024);

    std::vector<std::thread> producers;
    for (uint32_t producer = 0; producer < kProducers; ++producer) {
        producers.emplace_back([&queue, producer] {
            for (uint32_t sequence = 0; sequence < kEventsEach; ++sequence) {
                ASSERT_TRUE(queue.Post(1024, producer, sequence, 0));
            }
        });
    }

    std::vector<uint32_t> nextExpected(kProducers, 0);
    uint32_t received = 0;
    bool inOrder = true;
    while (received < kProducers * kEventsEach) {
        AppEvent* event = queue.Pop();
        if (!event) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_LT(event->wParam, kProducers);
        inOrder = inOrder && event->lParam == nextExpected[event->wParam];
        nextExpected[event->wParam] = event->lParam + 1;
        queue.Pool().Free(event);
        ++received;
    }
    for (std::thread& producer : producers) {
        producer.join();
    }
    EXPECT_TRUE(inOrder) << "an event was lost, repeated or overtaken by a later one of its producer";
    EXPECT_EQ(nextExpected, std::vector<uint32_t>(kProducers, kEventsEach));
    EXPECT_EQ(queue.Pop(), nullptr);
    EXPECT_EQ(queue.Pool().InUse(), 0);
}

}  // namespace
}  // namespace quill
