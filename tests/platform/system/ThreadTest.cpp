#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>

#include "platform/system/Event.h"
#include "platform/system/Thread.h"

namespace platform {
namespace {

// A priority that the system refuses to raise still runs the body, at normal priority.
TEST(ThreadTest, RunsEachBodyOnItsOwnThreadAtAnyPriority) {
    std::set<ThreadId> ids{CurrentThreadId()};
    for (ThreadPriority priority : {ThreadPriority::Normal, ThreadPriority::AboveNormal, ThreadPriority::Idle}) {
        Thread thread;
        ThreadId bodyThread = kNoThread;
        ASSERT_TRUE(thread.Start([&] { bodyThread = CurrentThreadId(); }, priority));
        EXPECT_TRUE(thread.Join());
        ids.insert(bodyThread);
    }
    EXPECT_EQ(ids.size(), 4u);
}

TEST(ThreadTest, JoinTimesOutWhileTheBodyRuns) {
    Event release(true, false);
    Thread thread;
    ASSERT_TRUE(thread.Start([&] { release.Wait(); }));
    EXPECT_FALSE(thread.Start([] {})) << "one object runs one thread at a time";
    EXPECT_FALSE(thread.Join(20));
    EXPECT_TRUE(thread.Joinable());
    release.Set();
    EXPECT_TRUE(thread.Join(10000));
    EXPECT_TRUE(thread.Start([] {})) << "a joined object can start again";
}

TEST(ThreadTest, JoinFromTheThreadItselfIsRefused) {
    Thread thread;
    Event started(true, false);
    std::atomic<bool> selfJoin{true};
    ASSERT_TRUE(thread.Start([&] {
        started.Wait();
        selfJoin = thread.Join(0);
    }));
    started.Set();
    EXPECT_TRUE(thread.Join());
    EXPECT_FALSE(selfJoin.load());
}

TEST(ThreadTest, DestructorWaitsForTheBody) {
    std::atomic<bool> finished{false};
    {
        Thread thread;
        ASSERT_TRUE(thread.Start([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            finished = true;
        }));
    }
    EXPECT_TRUE(finished.load());
}

}  // namespace
}  // namespace platform
