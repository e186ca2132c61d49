#include <gtest/gtest.h>

#include "QuillLib/core/Random.h"
#include "platform/system/Rand.h"

namespace quill {
namespace {

TEST(RandomTest, FollowsTheLinearCongruentialSequence) {
    Random random;
    random.Seed(1);
    EXPECT_EQ(random.Next(), 1103527590u);
    EXPECT_EQ(random.Next(), 2524885223u);
    EXPECT_EQ(random.DrawCount(), 2u);
}

TEST(RandomTest, SeedingRestartsTheSequenceAndKeepsTheDrawCount) {
    Random first;
    Random second;
    first.Seed(0xDEADBEEF);
    second.Seed(0xDEADBEEF);
    const uint32_t a = first.Next();
    const uint32_t b = first.Next();
    EXPECT_EQ(second.Next(), a);
    EXPECT_EQ(second.Next(), b);

    first.Seed(0xDEADBEEF);
    EXPECT_EQ(first.Next(), a);
    EXPECT_EQ(first.DrawCount(), 3u);
    EXPECT_EQ(first.SeedValue(), 0xDEADBEEFu);
}

TEST(RandomTest, DefaultSeedIsOneRuntimeRandValue) {
    platform::SRand(77);
    const uint32_t expected = static_cast<uint32_t>(platform::Rand());
    platform::SRand(77);
    Random random;
    EXPECT_EQ(random.SeedValue(), expected);
    EXPECT_EQ(random.DrawCount(), 0u);
    EXPECT_EQ(random.Next(), expected * 1103515245u + 12345u);
}

}  // namespace
}  // namespace quill
