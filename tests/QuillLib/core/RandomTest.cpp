#include <gtest/gtest.h>

#include "QuillLib/core/Random.h"
#include "platform/system/Rand.h"

namespace quill {
namespace {

TEST(RandomTest, FollowsTheLinearCongruentialSequenceAndReseedingKeepsTheDrawCount) {
    Random random;
    random.Seed(1);
    EXPECT_EQ(random.Next(), 1103527590u);
    EXPECT_EQ(random.Next(), 2524885223u);
    random.Seed(1);
    EXPECT_EQ(random.Next(), 1103527590u);
    EXPECT_EQ(random.DrawCount(), 3u);
}

TEST(RandomTest, DefaultSeedIsOneRuntimeRandValue) {
    platform::SRand(77);
    const uint32_t expected = static_cast<uint32_t>(platform::Rand());
    platform::SRand(77);
    Random random;
    EXPECT_EQ(random.SeedValue(), expected);
    EXPECT_EQ(random.Next(), expected * 1103515245u + 12345u);
}

}  // namespace
}  // namespace quill
