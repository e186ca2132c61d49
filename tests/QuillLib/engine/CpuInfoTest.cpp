#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "QuillLib/engine/CpuInfo.h"
#include "QuillLib/engine/CpuModelName.h"
#include "QuillLib/engine/CpuProbe.h"
#include "QuillLib/engine/SystemInfo.h"

namespace quill {
namespace {

using platform::CpuRegisters;

// A scripted processor. Time is counted in performance-counter ticks of 1 ms: every read of the counter
// advances it by one tick, and the time-stamp counter runs cyclesPerTick cycles per tick.
class FakeCpuProbe : public CpuProbe {
public:
    bool HasIdentification() override { return hasIdentification; }
    CpuRegisters Identify(uint32_t leaf) override {
        askedLeaves.insert(leaf);
        auto found = leaves.find(leaf);
        return found == leaves.end() ? CpuRegisters{} : found->second;
    }
    uint64_t ReadTimeStampCounter() override { return ticks * cyclesPerTick; }
    uint64_t ReadPerformanceCounter() override { return ++ticks; }
    uint64_t PerformanceFrequency() override { return 1000; }
    void RunBitScans(uint32_t count) override {
        bitScans = count;
        ticks += bitScanTicks;
    }

    void SetVendor(const char* id, uint32_t maxLeaf) {
        CpuRegisters leaf0{maxLeaf, 0, 0, 0};
        std::memcpy(&leaf0.ebx, id, 4);
        std::memcpy(&leaf0.edx, id + 4, 4);
        std::memcpy(&leaf0.ecx, id + 8, 4);
        leaves[0] = leaf0;
    }
    void SetSignature(uint32_t family, uint32_t model, uint32_t stepping, uint32_t edx, uint32_t ebx = 0) {
        leaves[1] = CpuRegisters{stepping | model << 4 | family << 8, ebx, 0, edx};
    }
    void SetBrand(const std::string& brand, uint32_t maxExtendedLeaf = 0x80000004) {
        char bytes[48] = {};
        std::memcpy(bytes, brand.data(), std::min<size_t>(brand.size(), 48));
        for (uint32_t i = 0; i < 3; ++i) {
            CpuRegisters part;
            std::memcpy(&part, bytes + 16 * i, 16);
            leaves[0x80000002 + i] = part;
        }
        leaves[0x80000000] = CpuRegisters{maxExtendedLeaf, 0, 0, 0};
    }
    bool AskedAnyExtendedLeaf() const { return askedLeaves.lower_bound(0x80000000) != askedLeaves.end(); }

    bool hasIdentification = true;
    std::map<uint32_t, CpuRegisters> leaves;
    std::set<uint32_t> askedLeaves;
    uint64_t ticks = 0;
    uint64_t cyclesPerTick = 3'000'000;  // 3 GHz
    uint64_t bitScanTicks = 499;
    uint32_t bitScans = 0;
};

constexpr uint32_t kFpu = 1u << 0;
constexpr uint32_t kTsc = 1u << 4;
constexpr uint32_t kApic = 1u << 9;
constexpr uint32_t kSerial = 1u << 18;
constexpr uint32_t kMmx = 1u << 23;
constexpr uint32_t kSse2 = 1u << 26;
constexpr uint32_t kHyperThreading = 1u << 28;

TEST(CpuInfoTest, WithoutIdentificationTheRecordStaysClearedAndTheTextSaysSo) {
    FakeCpuProbe probe;
    probe.hasIdentification = false;
    CpuInfo cpu(probe);

    EXPECT_FALSE(cpu.IsIdentified());
    EXPECT_TRUE(probe.askedLeaves.empty());
    EXPECT_EQ(cpu.GetFamily(), 0u);
    EXPECT_EQ(cpu.GetStepping(), 0u);
    EXPECT_TRUE(cpu.GetModelName().empty());
    EXPECT_EQ(cpu.GetClockMHz(), -1);
    EXPECT_EQ(DescribeCpu(cpu), u"Error: CPU does not support CPUID. at -1 MHz");
}

TEST(CpuInfoTest, VendorIdsMapToMakersAndNames) {
    const struct {
        const char* id;
        CpuVendor vendor;
        const char16_t* name;
    } cases[] = {
        {"GenuineIntel", CpuVendor::Intel, u"Intel Corporation"},
        {"AMD ISBETTER", CpuVendor::Amd, u"Advanced Micro Devices"},
        {"CentaurHauls", CpuVendor::IdtCentaur, u"IDT\\Centaur, Via Inc."},
        {"TransmetaCPU", CpuVendor::Transmeta, u"Transmeta"},
        {"Geode By NSC", CpuVendor::NationalSemiconductor, u"National Semiconductor"},
        {"HygonGenuine", CpuVendor::Unknown, u"Unknown Manufacturer"},
    };
    for (const auto& c : cases) {
        FakeCpuProbe probe;
        probe.SetVendor(c.id, 0);
        CpuInfo cpu(probe);
        EXPECT_EQ(cpu.GetVendorId(), c.id);
        EXPECT_EQ(cpu.GetVendor(), c.vendor) << c.id;
        EXPECT_EQ(cpu.GetVendorName(), c.name) << c.id;
    }
}

TEST(CpuInfoTest, SignatureFeaturesAndIntelHyperThreading) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel", 1);
    const uint32_t eax = 0x3 | 0x5 << 4 | 0xF << 8 | 0x2 << 12 | 0x4 << 16 | 0x12 << 20;
    probe.leaves[1] = CpuRegisters{eax, 0x07'04'0000, 0, kFpu | kTsc | kApic | kMmx | kSse2 | kHyperThreading};
    CpuInfo cpu(probe);

    EXPECT_EQ(cpu.GetStepping(), 3u);
    EXPECT_EQ(cpu.GetModel(), 5u);
    EXPECT_EQ(cpu.GetFamily(), 15u);
    EXPECT_EQ(cpu.GetType(), 2u);
    EXPECT_EQ(cpu.GetExtendedModel(), 4u);
    EXPECT_EQ(cpu.GetExtendedFamily(), 0x12u);
    const CpuFeatures& features = cpu.GetFeatures();
    EXPECT_TRUE(features.fpu && features.timeStampCounter && features.apic && features.mmx && features.sse2);
    EXPECT_FALSE(features.sse || features.cmov || features.serialNumber);
    EXPECT_TRUE(features.hyperThreading);
    EXPECT_EQ(cpu.GetLogicalProcessors(), 4u);
    EXPECT_EQ(cpu.GetApicId(), 7u);
}

TEST(CpuInfoTest, HyperThreadingBitCountsOnlyForIntel) {
    FakeCpuProbe probe;
    probe.SetVendor("AuthenticAMD", 1);
    probe.SetSignature(4, 3, 0, kHyperThreading | kApic, 0x07'04'0000);
    CpuInfo cpu(probe);
    EXPECT_FALSE(cpu.GetFeatures().hyperThreading);
    EXPECT_EQ(cpu.GetLogicalProcessors(), 1u);
    EXPECT_EQ(cpu.GetApicId(), 0u);
}

TEST(CpuInfoTest, IntelFamilySixIsNeverAskedExtendedLeaves) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel", 2);
    probe.SetSignature(6, 0, 1, kTsc);
    probe.SetBrand("Intel(R) Something");
    CpuInfo cpu(probe);

    EXPECT_FALSE(probe.AskedAnyExtendedLeaf());
    EXPECT_EQ(cpu.GetModelName(), u"P6 A-Step");
    EXPECT_EQ(cpu.GetL1CacheKB(), -1);
    EXPECT_EQ(cpu.GetL2CacheKB(), -1);
    EXPECT_EQ(cpu.GetL3CacheKB(), -1);
}

TEST(CpuInfoTest, IntelBrandLosesLeadingBlanksOtherBrandsKeepThem) {
    FakeCpuProbe intel;
    intel.SetVendor("GenuineIntel", 1);
    intel.SetSignature(15, 2, 0, kTsc);
    intel.SetBrand("      Intel(R) Pentium(R) 4 CPU 2.40GHz");
    EXPECT_EQ(CpuInfo(intel).GetModelName(), u"Intel(R) Pentium(R) 4 CPU 2.40GHz");

    FakeCpuProbe amd;
    amd.SetVendor("AuthenticAMD", 1);
    amd.SetSignature(6, 8, 0, kTsc);
    amd.SetBrand("  AMD Athlon(tm) XP");
    EXPECT_EQ(CpuInfo(amd).GetModelName(), u"  AMD Athlon(tm) XP");
}

TEST(CpuInfoTest, CachesFromTheExtendedLeavesThatReportThem) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel", 1);
    probe.SetSignature(15, 2, 0, kTsc);
    probe.SetBrand("P4", 0x80000006);
    probe.leaves[0x80000005] = CpuRegisters{};  // reserved: all zero
    probe.leaves[0x80000006] = CpuRegisters{0, 0, 512u << 16, 0};
    CpuInfo cpu(probe);
    EXPECT_EQ(cpu.GetL1CacheKB(), -1);
    EXPECT_EQ(cpu.GetL2CacheKB(), 512);

    FakeCpuProbe amd;
    amd.SetVendor("AuthenticAMD", 1);
    amd.SetSignature(6, 4, 0, kTsc);
    amd.SetBrand("Athlon", 0x80000006);
    amd.leaves[0x80000005] = CpuRegisters{0, 0, 64u << 24, 64u << 24};
    amd.leaves[0x80000006] = CpuRegisters{0, 0, 256u << 16, 0};
    CpuInfo athlon(amd);
    EXPECT_EQ(athlon.GetL1CacheKB(), 128);
    EXPECT_EQ(athlon.GetL2CacheKB(), 256);
    EXPECT_EQ(athlon.GetL3CacheKB(), -1);
}

TEST(CpuInfoTest, ExtendedLeavesFollowEachMakersAgeRule) {
    const struct {
        const char* id;
        uint32_t family;
        uint32_t model;
        bool asked;
    } cases[] = {
        {"AuthenticAMD", 5, 5, false}, {"AuthenticAMD", 5, 6, true},  {"AuthenticAMD", 6, 0, true},
        {"CyrixInstead", 5, 3, false}, {"CyrixInstead", 5, 4, true},  {"CyrixInstead", 6, 4, false},
        {"CyrixInstead", 6, 5, true},  {"CentaurHauls", 5, 7, false}, {"CentaurHauls", 5, 8, true},
        {"GenuineTMx86", 4, 9, false}, {"GenuineTMx86", 5, 0, true},  {"GenuineIntel", 14, 0, false},
        {"GenuineIntel", 15, 0, true}, {"RiseRiseRise", 4, 0, true},
    };
    for (const auto& c : cases) {
        FakeCpuProbe probe;
        probe.SetVendor(c.id, 1);
        probe.SetSignature(c.family, c.model, 0, kTsc);
        CpuInfo cpu(probe);
        EXPECT_EQ(probe.AskedAnyExtendedLeaf(), c.asked) << c.id << " " << c.family << "." << c.model;
    }
}

TEST(CpuInfoTest, ExtendedFeaturesForAmdAndCyrixButNotIntel) {
    constexpr uint32_t edx = 1u << 31 | 1u << 30 | 1u << 22 | 1u << 19;
    FakeCpuProbe amd;
    amd.SetVendor("AuthenticAMD", 1);
    amd.SetSignature(6, 0, 0, kTsc);
    amd.leaves[0x80000000] = CpuRegisters{0x80000001, 0, 0, 0};
    amd.leaves[0x80000001] = CpuRegisters{0, 0, 0, edx};
    const CpuFeatures amdFeatures = CpuInfo(amd).GetFeatures();
    EXPECT_TRUE(amdFeatures.amd3dNow && amdFeatures.amd3dNowExtended && amdFeatures.mmxExtended &&
                amdFeatures.multiprocessorCapable);

    FakeCpuProbe cyrix;
    cyrix.SetVendor("CyrixInstead", 1);
    cyrix.SetSignature(6, 5, 0, kTsc);
    cyrix.leaves[0x80000000] = CpuRegisters{0x80000001, 0, 0, 0};
    cyrix.leaves[0x80000001] = CpuRegisters{0, 0, 0, 1u << 22};
    EXPECT_FALSE(CpuInfo(cyrix).GetFeatures().mmxExtended);  // Cyrix marks it in bit 24
    cyrix.leaves[0x80000001] = CpuRegisters{0, 0, 0, 1u << 24};
    EXPECT_TRUE(CpuInfo(cyrix).GetFeatures().mmxExtended);

    FakeCpuProbe intel;
    intel.SetVendor("GenuineIntel", 1);
    intel.SetSignature(15, 0, 0, kTsc);
    intel.leaves[0x80000000] = CpuRegisters{0x80000001, 0, 0, 0};
    intel.leaves[0x80000001] = CpuRegisters{0, 0, 0, edx};
    EXPECT_FALSE(CpuInfo(intel).GetFeatures().amd3dNow);
    EXPECT_EQ(intel.askedLeaves.count(0x80000001), 0u);
}

TEST(CpuInfoTest, ClockIsMeasuredWithTheTimeStampCounter) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel", 1);
    probe.SetSignature(5, 4, 3, kTsc);
    CpuInfo cpu(probe);

    // 50 ticks of waiting less 2 ticks of measuring overhead, at 3,000,000 cycles per 1 ms tick.
    EXPECT_EQ(cpu.GetClockMHz(), 2880);
    EXPECT_EQ(cpu.GetEstimatedClockMHz(), 0u);
    EXPECT_EQ(probe.bitScans, 0u);
    EXPECT_EQ(DescribeCpu(cpu), u"Intel Corporation P55C, stepping 3 at 2880 MHz");
}

TEST(CpuInfoTest, WithoutTimeStampCounterOnlyTheSlowEstimateIsMade) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel", 1);
    probe.SetSignature(5, 2, 1, kFpu);
    CpuInfo cpu(probe);

    EXPECT_EQ(probe.bitScans, 10'000'000u);
    // 4.3e8 / 0.5 s / 1048576, truncated.
    EXPECT_EQ(cpu.GetEstimatedClockMHz(), 820u);
    EXPECT_EQ(cpu.GetClockMHz(), -1);

    FakeCpuProbe later;
    later.SetVendor("GenuineIntel", 1);
    later.SetSignature(6, 0, 1, kFpu);
    EXPECT_EQ(CpuInfo(later).GetEstimatedClockMHz(), 0u);  // no known cost per scan
}

TEST(CpuInfoTest, SerialNumberFromLeafThreeHighestByteFirst) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel", 3);
    probe.SetSignature(6, 7, 2, kTsc | kSerial);
    probe.leaves[3] = CpuRegisters{0, 0x0102A3B4, 0x05060708, 0xF90A0B0C};
    EXPECT_EQ(CpuInfo(probe).GetSerialNumber(), u"0102-a3b4-0506-0708-f90a-0b0c");

    probe.leaves[0].eax = 2;  // leaf 3 not offered
    EXPECT_TRUE(CpuInfo(probe).GetSerialNumber().empty());
}

TEST(CpuModelNameTest, ListedModelsAndUnknownNames) {
    EXPECT_EQ(CpuModelName(CpuVendor::Amd, 5, 8), u"K6-2");
    EXPECT_EQ(CpuModelName(CpuVendor::Transmeta, 5, 7), u"Crusoe TM3x00 and TM5x00");  // any model
    EXPECT_EQ(CpuModelName(CpuVendor::Intel, 4, 9), u"Unknown 80486 family");
    EXPECT_EQ(CpuModelName(CpuVendor::Amd, 6, 1), u"Unknown AMD family");
    EXPECT_EQ(CpuModelName(CpuVendor::NexGen, 5, 0), u"Unknown family");
}

}  // namespace
}  // namespace quill
