#include <gtest/gtest.h>

#include "platform/system/SystemQuery.h"

namespace platform {
namespace {

TEST(SystemQueryTest, KernelReleaseNumbers) {
    const KernelVersion debian = ParseKernelRelease("Linux", "6.1.0-18-amd64");
    EXPECT_EQ(debian.systemName, "Linux");
    EXPECT_EQ(debian.release, "6.1.0-18-amd64");
    EXPECT_EQ(debian.major, 6u);
    EXPECT_EQ(debian.minor, 1u);
    EXPECT_EQ(debian.patch, 0u);

    const KernelVersion custom = ParseKernelRelease("Linux", "6.18.44-fc-v1272");
    EXPECT_EQ(custom.major, 6u);
    EXPECT_EQ(custom.minor, 18u);
    EXPECT_EQ(custom.patch, 44u);

    const KernelVersion shortRelease = ParseKernelRelease("Linux", "5.15-rc1");
    EXPECT_EQ(shortRelease.major, 5u);
    EXPECT_EQ(shortRelease.minor, 15u);
    EXPECT_EQ(shortRelease.patch, 0u);

    const KernelVersion garbage = ParseKernelRelease("Linux", "x.y");
    EXPECT_EQ(garbage.major, 0u);
    EXPECT_EQ(garbage.minor, 0u);
}

TEST(SystemQueryTest, PciNamesFromTheNameList) {
    const char* list =
        "# comment\n"
        "10de  NVIDIA Corporation\n"
        "\t1c82  GP107 [GeForce GTX 1050 Ti]\n"
        "\t\t1043 8613  Subsystem entry\n"
        "\t2484  GA104 [GeForce RTX 3070]\n"
        "8086  Intel Corporation\n"
        "\t5916  HD Graphics 620\n";
    EXPECT_EQ(LookUpPciName(list, 0x10de, 0x2484), "NVIDIA Corporation GA104 [GeForce RTX 3070]");
    EXPECT_EQ(LookUpPciName(list, 0x8086, 0x5916), "Intel Corporation HD Graphics 620");
    EXPECT_EQ(LookUpPciName(list, 0x10de, 0x8613), "NVIDIA Corporation");  // a subsystem id is no device
    EXPECT_EQ(LookUpPciName(list, 0x1002, 0x1234), "");
    EXPECT_EQ(LookUpPciName("10de\n\t12\n", 0x10de, 0x12), "");  // malformed lines are skipped
}

TEST(SystemQueryTest, LiveQueriesAnswer) {
    EXPECT_TRUE(QueryKernelVersion().has_value());
    EXPECT_GT(QueryPhysicalMemoryBytes(), 0u);
#if defined(__x86_64__)
    EXPECT_TRUE(CpuidAvailable());
    EXPECT_GE(Cpuid(0).eax, 1u);
    const uint64_t first = ReadTimeStampCounter();
    EXPECT_GE(ReadTimeStampCounter(), first);
#endif
}

}  // namespace
}  // namespace platform
