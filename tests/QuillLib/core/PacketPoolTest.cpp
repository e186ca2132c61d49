#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <future>
#include <set>
#include <vector>

#include "QuillLib/core/PacketPool.h"
#include "platform/system/Sleep.h"

namespace quill {
namespace {

constexpr uint32_t kBlocks = 4;
constexpr uint32_t kBlockSize = PacketPool::kLinkWordSize + 40;

// Records the pool's sleeps instead of sleeping; onSleep_ lets a test act between attempts.
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
    EXPECT_EQ(pool_.PayloadSize(), kBlockSize - PacketPool::kLinkWordSize);
    const std::vector<void*> blocks = TakeAll();
    ASSERT_EQ(blocks.size(), kBlocks);
    const std::vector<std::byte> zeros(pool_.PayloadSize());
    for (size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(reinterpret_cast<uintptr_t>(blocks[i]) % alignof(std::max_align_t), 0u);
        EXPECT_EQ(std::memcmp(blocks[i], zeros.data(), zeros.size()), 0);
        if (i > 0) {
            const auto gap = static_cast<std::byte*>(blocks[i]) - static_cast<std::byte*>(blocks[i - 1]);
            EXPECT_GE(gap, static_cast<ptrdiff_t>(pool_.PayloadSize())) << "ascending, without overlap";
        }
    }
}

TEST_F(PacketPoolTest, ExhaustedPoolGivesUpAfterItsTries) {
    TakeAll();
    EXPECT_EQ(pool_.Alloc(PacketPool::kDefaultTries), nullptr);
    EXPECT_EQ(sleeps_, std::vector<uint32_t>(PacketPool::kDefaultTries - 1, 1));

    sleeps_.clear();
    EXPECT_EQ(pool_.Alloc(0), nullptr) << "no tries still makes one attempt";
    EXPECT_TRUE(sleeps_.empty());
}

TEST_F(PacketPoolTest, BlockFreedByAnotherThreadWhileWaitingIsTaken) {
    const std::vector<void*> blocks = TakeAll();
    std::future<void> freeing;
    onSleep_ = [&](size_t sleepCount) {
        if (sleepCount == 100) {
            freeing = std::async(std::launch::async, [&] { pool_.Free(blocks[2]); });
            EXPECT_EQ(freeing.wait_for(std::chrono::seconds(10)), std::future_status::ready)
                << "the pool stays locked while it sleeps";
        }
    };
    EXPECT_EQ(pool_.Alloc(PacketPool::kDefaultTries), blocks[2]);
    EXPECT_EQ(sleeps_.size(), 100u);
}

TEST_F(PacketPoolTest, FreesOfAnythingButAHandedOutBlockAreIgnored) {
    std::vector<void*> blocks = TakeAll();
    for (void* block : blocks) {
        pool_.Free(block);
    }
    pool_.Free(blocks[0]);
    EXPECT_EQ(pool_.InUse(), 0) << "at in-use 0 nothing is taken back";

    void* last = pool_.Alloc(1);
    EXPECT_EQ(last, blocks.back()) << "freed blocks are reused last-in first-out";
    PacketPool other;
    ASSERT_TRUE(other.Init(1, kBlockSize));
    int onStack = 0;
    pool_.Free(other.Alloc(1));
    pool_.Free(&onStack);
    pool_.Free(static_cast<std::byte*>(last) + 8);
    pool_.Free(nullptr);
    pool_.Free(blocks[0]);  // not handed out: a second free
    EXPECT_EQ(pool_.InUse(), 1);

    // The free list is intact: every block comes out exactly once.
    blocks = TakeAll();
    blocks.push_back(last);
    EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), kBlocks);
}

TEST(PacketPoolWaitTest, AWaitWithoutTheSleepHookEndsWithTheFreeOfAnotherThread) {
    PacketPool pool;
    ASSERT_TRUE(pool.Init(1, kBlockSize));
    void* only = pool.Alloc(1);
    std::future<void> freeing = std::async(std::launch::async, [&] { pool.Free(only); });
    // Thousands of attempts of up to 1 ms each: the block comes back long before they run out.
    EXPECT_EQ(pool.Alloc(PacketPool::kDefaultTries), only);
    freeing.wait();
}

TEST(PacketPoolInitTest, RefusesUnusableSizesAndASecondInit) {
    PacketPool pool;
    EXPECT_FALSE(pool.Init(0, 64));
    EXPECT_FALSE(pool.Init(8, PacketPool::kLinkWordSize));
    EXPECT_EQ(pool.Alloc(5000), nullptr) << "a pool without blocks does not wait";
    ASSERT_TRUE(pool.Init(8, 64));
    EXPECT_FALSE(pool.Init(8, 64));
    pool.Release();
    EXPECT_TRUE(pool.Init(2, 64));
}

}  // namespace
}  // namespace quill
