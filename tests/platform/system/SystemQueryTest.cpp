#include <gtest/gtest.h>

#include "platform/system/SystemQuery.h"

namespace platform {
namespace {

TEST(SystemQueryTest, KernelReleaseNumbersAreTheLeadingOnes) {
    const struct {
        const char* release;
        uint32_t major, minor, patch;
    } cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0}, {"6.18.44-fc-v1272", 6, 18, 44}, {"5.15-rc1", 5, 15, 0}, {"x.y", 0, 0, 0}};
    for (const auto& c : cases) {
        const KernelVersion version = ParseKernelRelease("Linux", c.release);
        EXPECT_EQ(version.major, c.major) << c.release;
        EXPECT_EQ(version.minor, c.minor) << c.release;
        EXPECT_EQ(version.patch, c.patch) << c.release;
    }
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

TEST(SystemQueryTest, ProcessorClockFromTheFirstCpuMhzLine) {
    EXPECT_EQ(ParseCpuInfoClockMHz("processor\t: 0\nmodel name\t: X\ncpu MHz\t\t: 2445.406\n\nprocessor\t: 1\n"
                                   "cpu MHz\t\t: 1200.000\n"),
              2445u);
    EXPECT_EQ(ParseCpuInfoClockMHz("processor\t: 0\nBogoMIPS\t: 48.00\n"), 0u);  // machines that report none
    EXPECT_EQ(ParseCpuInfoClockMHz("cpu MHz\t\t: unknown\n"), 0u);
    EXPECT_EQ(ParseCpuInfoClockMHz(""), 0u);
}

TEST(SystemQueryTest, LiveQueriesAnswer) {
    EXPECT_TRUE(QueryKernelVersion().has_value());
    EXPECT_GT(QueryPhysicalMemoryBytes(), 0u);
#if defined(__x86_64__)
    EXPECT_GE(Cpuid(0).eax, 1u) << "the highest leaf";
#endif
}

}  // namespace
}  // namespace platform
