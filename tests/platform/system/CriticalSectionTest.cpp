#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/system/CriticalSection.h"
#include "platform/system/Event.h"

namespace platform {
namespace {

TEST(CriticalSectionTest, OwnerMayEnterAgainAndCountsDepth) {
    CriticalSection section;
    EXPECT_EQ(section.Depth(), 0);
    EXPECT_EQ(section.Owner(), kNoThread);

    section.Enter();
    section.Enter();
    EXPECT_TRUE(section.TryEnter());
    EXPECT_EQ(section.Depth(), 3);
    EXPECT_EQ(section.Owner(), CurrentThreadId());

    section.Leave();
    section.Leave();
    EXPECT_EQ(section.Depth(), 1);
    EXPECT_EQ(section.Owner(), CurrentThreadId());
    section.Leave();
    EXPECT_EQ(section.Depth(), 0);
    EXPECT_EQ(section.Owner(), kNoThread);
}

TEST(CriticalSectionTest, OtherThreadsWaitForTheOwner) {
    CriticalSection section;
    section.Enter();

    Event tried(true, false);
    Event held(true, false);
    Event release(true, false);
    ThreadId otherId = kNoThread;
    bool triedWhileHeld = true;
    std::thread other([&] {
        otherId = CurrentThreadId();
        triedWhileHeld = section.TryEnter();
        tried.Set();
        section.Enter();
        held.Set();
        release.Wait();
        section.Leave();
    });

    // The holder leaves; the other thread gets in, and a Leave by a non-owner does not take it away.
    ASSERT_TRUE(tried.Wait(10000));
    section.Leave();
    ASSERT_TRUE(held.Wait(10000));
    EXPECT_EQ(section.Owner(), otherId);
    section.Leave();
    EXPECT_EQ(section.Owner(), otherId);
    EXPECT_EQ(section.Depth(), 1);
    EXPECT_FALSE(section.TryEnter());

    release.Set();
    other.join();
    EXPECT_FALSE(triedWhileHeld);
    EXPECT_EQ(section.Owner(), kNoThread);
}

TEST(CriticalSectionTest, KeepsCountersExactUnderContention) {
    CriticalSection section;
    int counter = 0;
    constexpr int kThreads = 4;
    constexpr int kIncrements = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kIncrements; ++i) {
                section.Enter();
                section.Enter();
                ++counter;
                section.Leave();
                section.Leave();
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(counter, kThreads * kIncrements);
    EXPECT_EQ(section.Depth(), 0);
}

}  // namespace
}  // namespace platform
