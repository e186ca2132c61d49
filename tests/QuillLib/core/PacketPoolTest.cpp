#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "QuillLib/core/PacketPool.h"
#include "platform/system/Event.h"
#include "platform/system/Sleep.h"

namespace quill {
namespace {

constexpr uint32_t kBlocks = 4;
constexpr uint32_t kBlockSize = PacketPool::kLinkWordSize + 40;

// Counts the pool's sleeps instead of sleeping; onSleep lets a test act between attempts.
class PacketPoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pool_.Init(kBlocks, kBlockSize));
        platform::SetSleepHook([this](uint32_t ms) {
            sleeps_.push_back(ms);
            if (onSleep_) {
                onSleep_(sleeps_.size());
            }
        });
    }
    void TearDown() override { platform::SetSleepHook({}); }

    std::vector<void*> TakeAll() {
        std::vector<void*> blocks;
        while (void* block = pool_.Alloc(1)) {
            blocks.push_back(block);
        }
        return blocks;
    }

    PacketPool pool_;
    std::vector<uint32_t> sleeps_;
    std::function<void(size_t)> onSleep_;
};

TEST_F(PacketPoolTest, FreshPoolHandsOutZeroedAlignedBlocksInAddressOrder) {
    EXPECT_EQ(pool_.BlockCount(), kBlocks);
    EXPECT_EQ(pool_.PayloadSize(), kBlockSize - PacketPool::kLinkWordSize);

    const std::vector<void*> blocks = TakeAll();
    ASSERT_EQ(blocks.size(), kBlocks);
    EXPECT_TRUE(std::is_sorted(blocks.begin(), blocks.end()));
    const auto stride = static_cast<std::byte*>(blocks[1]) - static_cast<std::byte*>(blocks[0]);
    EXPECT_GE(stride, static_cast<ptrdiff_t>(pool_.PayloadSize()));
    for (size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(reinterpret_cast<uintptr_t>(blocks[i]) % alignof(std::max_align_t), 0u);
        EXPECT_EQ(static_cast<std::byte*>(blocks[i]) - static_cast<std::byte*>(blocks[0]),
                  stride * static_cast<ptrdiff_t>(i));
        const std::vector<std::byte> zeros(pool_.PayloadSize());
        EXPECT_EQ(std::memcmp(blocks[i], zeros.data(), zeros.size()), 0);
    }
    EXPECT_EQ(pool_.InUse(), static_cast<int32_t>(kBlocks));
    EXPECT_TRUE(sleeps_.empty()) << "a single try never sleeps";
}

TEST_F(PacketPoolTest, ExhaustedPoolGivesUpAfterItsTries) {
    TakeAll();
    EXPECT_EQ(pool_.Alloc(PacketPool::kDefaultTries), nullptr);
    EXPECT_EQ(sleeps_.size(), PacketPool::kDefaultTries - 1);
    EXPECT_TRUE(std::all_of(sleeps_.begin(), sleeps_.end(), [](uint32_t ms) { return ms == 1; }));

    sleeps_.clear();
    EXPECT_EQ(pool_.Alloc(0), nullptr) << "no tries still makes one attempt";
    EXPECT_TRUE(sleeps_.empty());
}

TEST_F(PacketPoolTest, BlockFreedByAnotherThreadWhileWaitingIsTaken) {
    const std::vector<void*> blocks = TakeAll();
    platform::Event freeNow(true, false);
    platform::Event freed(true, false);
    std::thread other([&] {
        freeNow.Wait();
        pool_.Free(blocks[2]);
        freed.Set();
    });
    onSleep_ = [&](size_t sleepCount) {
        if (sleepCount == 100) {
            freeNow.Set();
            freed.Wait();
        }
    };
    EXPECT_EQ(pool_.Alloc(PacketPool::kDefaultTries), blocks[2]);
    EXPECT_EQ(sleeps_.size(), 100u);
    other.join();
}

TEST_F(PacketPoolTest, FreedBlocksAreReusedLastInFirstOut) {
    const std::vector<void*> blocks = TakeAll();
    pool_.Free(blocks[1]);
    pool_.Free(blocks[3]);
    EXPECT_EQ(pool_.InUse(), 2);
    EXPECT_EQ(pool_.Alloc(1), blocks[3]);
    EXPECT_EQ(pool_.Alloc(1), blocks[1]);
    EXPECT_EQ(pool_.Alloc(1), nullptr);
}

TEST_F(PacketPoolTest, FreesOfAnythingButAHandedOutBlockAreIgnored) {
    // At in-use 0 nothing is taken back.
    std::vector<void*> blocks = TakeAll();
    for (void* block : blocks) {
        pool_.Free(block);
    }
    ASSERT_EQ(pool_.InUse(), 0);
    pool_.Free(blocks[0]);
    EXPECT_EQ(pool_.InUse(), 0);

    void* block = pool_.Alloc(1);
    PacketPool other;
    ASSERT_TRUE(other.Init(1, kBlockSize));
    void* foreign = other.Alloc(1);
    int onStack = 0;
    pool_.Free(foreign);
    pool_.Free(&onStack);
    pool_.Free(static_cast<std::byte*>(block) + 8);
    pool_.Free(nullptr);
    pool_.Free(blocks[1]);  // not handed out: a second free
    EXPECT_EQ(pool_.InUse(), 1);

    // The free list is intact: every block comes out exactly once.
    blocks = TakeAll();
    blocks.push_back(block);
    EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), kBlocks);
    EXPECT_EQ(pool_.InUse(), static_cast<int32_t>(kBlocks));
}

TEST(PacketPoolInitTest, RefusesUnusableSizesAndASecondInit) {
    PacketPool pool;
    EXPECT_FALSE(pool.Init(0, 64));
    EXPECT_FALSE(pool.Init(8, PacketPool::kLinkWordSize));
    EXPECT_EQ(pool.Alloc(5000), nullptr) << "a pool without blocks does not wait";
    ASSERT_TRUE(pool.Init(8, 64));
    EXPECT_FALSE(pool.Init(8, 64));
    pool.Release();
    EXPECT_EQ(pool.BlockCount(), 0u);
    EXPECT_TRUE(pool.Init(2, 64));
}

TEST(PacketPoolStressTest, ThreadsShareBlocksWithoutOverlap) {
    PacketPool pool;
    ASSERT_TRUE(pool.Init(8, PacketPool::kLinkWordSize + 64));
    constexpr int kThreads = 6;
    constexpr int kRounds = 3000;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                auto* payload = static_cast<int*>(pool.Alloc(PacketPool::kDefaultTries));
                if (!payload) {
                    ++failures;
                    continue;
                }
                std::fill(payload, payload + 16, t);
                std::this_thread::yield();
                if (std::any_of(payload, payload + 16, [t](int value) { return value != t; })) {
                    ++failures;
                }
                pool.Free(payload);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(pool.InUse(), 0);
}

}  // namespace
}  // namespace quill
