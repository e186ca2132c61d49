#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/system/CriticalSection.h"

namespace platform {
namespace {

TEST(CriticalSectionTest, OwnerMayEnterAgainAndMustLeaveAsOften) {
    CriticalSection section;
    section.Enter();
    section.Enter();
    EXPECT_TRUE(section.TryEnter());
    EXPECT_EQ(section.Depth(), 3);
    EXPECT_EQ(section.Owner(), CurrentThreadId());
    section.Leave();
    section.Leave();
    EXPECT_EQ(section.Owner(), CurrentThreadId());
    section.Leave();
    EXPECT_EQ(section.Depth(), 0);
    EXPECT_EQ(section.Owner(), kNoThread);
}

TEST(CriticalSectionTest, OtherThreadsCanNeitherEnterNorReleaseIt) {
    CriticalSection section;
    section.Enter();
    std::jthread([&] {
        EXPECT_FALSE(section.TryEnter());
        section.Leave();  // by a thread that does not hold it: ignored
    }).join();
    EXPECT_EQ(section.Owner(), CurrentThreadId());
    EXPECT_EQ(section.Depth(), 1);
    section.Leave();
}

TEST(CriticalSectionTest, KeepsCountersExactUnderContention) {
    CriticalSection section;
    int counter = 0;
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&] {
                for (int i = 0; i < 20000; ++i) {
                    section.Enter();
                    section.Enter();
                    ++counter;
                    section.Leave();
                    section.Leave();
                }
            });
        }
    }
    EXPECT_EQ(counter, 4 * 20000);
    EXPECT_EQ(section.Depth(), 0);
}

}  // namespace
}  // namespace platform
