#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "QuillLib/engine/CpuInfo.h"
#include "QuillLib/engine/CpuModelName.h"
#include "QuillLib/engine/CpuProbe.h"
#include "QuillLib/engine/SystemInfo.h"

namespace quill {
namespace {

using platform::CpuRegisters;

constexpr uint32_t kFpu = 1u << 0;
constexpr uint32_t kTsc = 1u << 4;
constexpr uint32_t kApic = 1u << 9;
constexpr uint32_t kSerial = 1u << 18;
constexpr uint32_t kMmx = 1u << 23;
constexpr uint32_t kSse2 = 1u << 26;
constexpr uint32_t kHyperThreading = 1u << 28;

// A scripted processor of one maker and signature. Time is counted in performance-counter ticks of 1 ms:
// every read of the counter advances it by one tick, and the time-stamp counter runs cyclesPerTick cycles
// per tick.
class FakeCpuProbe : public CpuProbe {
public:
    FakeCpuProbe(const char* vendorId, uint32_t family, uint32_t model, uint32_t edx, uint32_t maxLeaf = 1) {
        CpuRegisters leaf0{maxLeaf, 0, 0, 0};
        std::memcpy(&leaf0.ebx, vendorId, 4);
        std::memcpy(&leaf0.edx, vendorId + 4, 4);
        std::memcpy(&leaf0.ecx, vendorId + 8, 4);
        leaves[0] = leaf0;
        leaves[1] = CpuRegisters{model << 4 | family << 8, 0, 0, edx};
    }

    bool HasIdentification() override { return hasIdentification; }
    CpuRegisters Identify(uint32_t leaf) override {
        askedLeaves.insert(leaf);
        auto found = leaves.find(leaf);
        return found == leaves.end() ? CpuRegisters{} : found->second;
    }
    uint32_t ReportedClockMHz() override { return reportedMHz; }
    uint64_t ReadTimeStampCounter() override { return ticks * cyclesPerTick; }
    uint64_t ReadPerformanceCounter() override { return ++ticks; }
    uint64_t PerformanceFrequency() override { return 1000; }
    void RunBitScans(uint32_t count) override {
        bitScans = count;
        ticks += 499;
    }

    // The brand string leaves, and the highest extended leaf.
    void SetBrand(const std::string& brand, uint32_t maxExtendedLeaf = 0x80000004) {
        char bytes[48] = {};
        std::memcpy(bytes, brand.data(), std::min<size_t>(brand.size(), 48));
        for (uint32_t i = 0; i < 3; ++i) {
            std::memcpy(&leaves[0x80000002 + i], bytes + 16 * i, 16);
        }
        leaves[0x80000000] = CpuRegisters{maxExtendedLeaf, 0, 0, 0};
    }
    bool AskedAnyExtendedLeaf() const { return askedLeaves.lower_bound(0x80000000) != askedLeaves.end(); }

    bool hasIdentification = true;
    std::map<uint32_t, CpuRegisters> leaves;
    std::set<uint32_t> askedLeaves;
    uint64_t ticks = 0;
    uint64_t cyclesPerTick = 3'000'000;  // 3 GHz
    uint32_t bitScans = 0;
    uint32_t reportedMHz = 0;  // the operating system reports no clock
};

TEST(CpuInfoTest, WithoutIdentificationTheRecordStaysClearedAndTheTextSaysSo) {
    FakeCpuProbe probe("GenuineIntel", 6, 0, kTsc);
    probe.hasIdentification = false;
    CpuInfo cpu(probe);

    EXPECT_FALSE(cpu.IsIdentified());
    EXPECT_TRUE(probe.askedLeaves.empty());
    EXPECT_EQ(DescribeCpu(cpu), u"Error: CPU does not support CPUID. at -1 MHz");
}

TEST(CpuInfoTest, VendorIdsMapToMakersAndNames) {
    const struct {
        const char* id;
        CpuVendor vendor;
        const char16_t* name;
    } cases[] = {
        {"GenuineIntel", CpuVendor::Intel, u"Intel Corporation"},
        {"AuthenticAMD", CpuVendor::Amd, u"Advanced Micro Devices"},
        {"AMD ISBETTER", CpuVendor::Amd, u"Advanced Micro Devices"},
        {"UMC UMC UMC ", CpuVendor::Umc, u"United Microelectronics Corp."},
        {"CyrixInstead", CpuVendor::Cyrix, u"Cyrix Corp., VIA Inc."},
        {"NexGenDriven", CpuVendor::NexGen, u"NexGen Inc., Advanced Micro Devices"},
        {"CentaurHauls", CpuVendor::IdtCentaur, u"IDT\\Centaur, Via Inc."},
        {"RiseRiseRise", CpuVendor::Rise, u"Rise"},
        {"GenuineTMx86", CpuVendor::Transmeta, u"Transmeta"},
        {"TransmetaCPU", CpuVendor::Transmeta, u"Transmeta"},
        {"Geode By NSC", CpuVendor::NationalSemiconductor, u"National Semiconductor"},
        {"HygonGenuine", CpuVendor::Unknown, u"Unknown Manufacturer"},
    };
    for (const auto& c : cases) {
        FakeCpuProbe probe(c.id, 6, 0, 0, 0);
        CpuInfo cpu(probe);
        EXPECT_EQ(cpu.GetVendorId(), c.id);
        EXPECT_EQ(cpu.GetVendor(), c.vendor) << c.id;
        EXPECT_EQ(cpu.GetVendorName(), c.name) << c.id;
    }
}

TEST(CpuInfoTest, SignatureFeaturesAndHyperThreadingOnlyForIntel) {
    const uint32_t eax = 0x3 | 0x5 << 4 | 0xF << 8 | 0x2 << 12 | 0x4 << 16 | 0x12 << 20;
    const CpuRegisters leaf1{eax, 0x07'04'0000, 0, kFpu | kTsc | kApic | kMmx | kSse2 | kHyperThreading};
    FakeCpuProbe intel("GenuineIntel", 0, 0, 0);
    intel.leaves[1] = leaf1;
    CpuInfo cpu(intel);
    EXPECT_EQ(std::make_tuple(cpu.GetStepping(), cpu.GetModel(), cpu.GetFamily(), cpu.GetType(), cpu.GetExtendedModel(),
                              cpu.GetExtendedFamily()),
              std::make_tuple(3u, 5u, 15u, 2u, 4u, 0x12u));
    const CpuFeatures& features = cpu.GetFeatures();
    EXPECT_TRUE(features.fpu && features.timeStampCounter && features.apic && features.mmx && features.sse2);
    EXPECT_FALSE(features.sse || features.cmov || features.serialNumber);
    EXPECT_TRUE(features.hyperThreading);
    EXPECT_EQ(cpu.GetLogicalProcessors(), 4u);
    EXPECT_EQ(cpu.GetApicId(), 7u);

    FakeCpuProbe amd("AuthenticAMD", 0, 0, 0);
    amd.leaves[1] = leaf1;
    CpuInfo athlon(amd);
    EXPECT_FALSE(athlon.GetFeatures().hyperThreading);
    EXPECT_EQ(athlon.GetLogicalProcessors(), 1u);
    EXPECT_EQ(athlon.GetApicId(), 0u);
}

TEST(CpuInfoTest, ModelNameIsTheBrandStringOrWithoutItTheTableName) {
    FakeCpuProbe intel("GenuineIntel", 15, 2, kTsc);
    intel.SetBrand("      Intel(R) Pentium(R) 4 CPU 2.40GHz");
    EXPECT_EQ(CpuInfo(intel).GetModelName(), u"Intel(R) Pentium(R) 4 CPU 2.40GHz") << "Intel loses leading blanks";

    FakeCpuProbe amd("AuthenticAMD", 6, 8, kTsc);
    amd.SetBrand("  AMD Athlon(tm) XP");
    EXPECT_EQ(CpuInfo(amd).GetModelName(), u"  AMD Athlon(tm) XP");

    FakeCpuProbe familySix("GenuineIntel", 6, 0, kTsc);
    familySix.SetBrand("Intel(R) Something");
    CpuInfo p6(familySix);
    EXPECT_FALSE(familySix.AskedAnyExtendedLeaf());
    EXPECT_EQ(p6.GetModelName(), u"P6 A-Step");
    EXPECT_EQ(p6.GetL2CacheKB(), -1);
}

TEST(CpuInfoTest, CachesFromTheExtendedLeavesThatReportThem) {
    FakeCpuProbe intel("GenuineIntel", 15, 2, kTsc);
    intel.SetBrand("P4", 0x80000006);
    intel.leaves[0x80000005] = CpuRegisters{};  // reserved: all zero
    intel.leaves[0x80000006] = CpuRegisters{0, 0, 512u << 16, 0};
    CpuInfo p4(intel);
    EXPECT_EQ(p4.GetL1CacheKB(), -1);
    EXPECT_EQ(p4.GetL2CacheKB(), 512);

    FakeCpuProbe amd("AuthenticAMD", 6, 4, kTsc);
    amd.SetBrand("Athlon", 0x80000006);
    amd.leaves[0x80000005] = CpuRegisters{0, 0, 64u << 24, 64u << 24};
    amd.leaves[0x80000006] = CpuRegisters{0, 0, 256u << 16, 0};
    CpuInfo athlon(amd);
    EXPECT_EQ(athlon.GetL1CacheKB(), 128);
    EXPECT_EQ(athlon.GetL2CacheKB(), 256);
    EXPECT_EQ(athlon.GetL3CacheKB(), -1);
}

TEST(CpuInfoTest, WithoutExtendedCacheLeavesIntelCachesComeFromLeafTwoDescriptors) {
    // A Pentium III: TLB bytes 0x01-0x04 name no cache; 0x08 is a 16 KB instruction cache, 0x0C a 16 KB
    // data cache, 0x82 a 256 KB L2. ECX has bit 31 set, so its 0x43 (512 KB L2) is no descriptor.
    const CpuRegisters pentium3{0x03020101, 0, 0x80000043, 0x0C040882};
    FakeCpuProbe intel("GenuineIntel", 6, 8, kTsc, 2);
    intel.leaves[2] = pentium3;
    CpuInfo coppermine(intel);
    EXPECT_EQ(coppermine.GetL1CacheKB(), 32);
    EXPECT_EQ(coppermine.GetL2CacheKB(), 256);
    EXPECT_EQ(coppermine.GetL3CacheKB(), -1);

    FakeCpuProbe xeon("GenuineIntel", 15, 4, kTsc, 2);
    xeon.SetBrand("Xeon");
    xeon.leaves[2] = CpuRegisters{0x00507001, 0, 0, 0x007C2300};  // 12 K-op trace cache, 1 MB L2, 1 MB L3
    CpuInfo gallatin(xeon);
    EXPECT_EQ(gallatin.GetL1CacheKB(), 12) << "trace cache only; 0x50 is a TLB";
    EXPECT_EQ(gallatin.GetL2CacheKB(), 1024);
    EXPECT_EQ(gallatin.GetL3CacheKB(), 1024);

    FakeCpuProbe cyrix("CyrixInstead", 6, 0, kTsc, 2);
    cyrix.leaves[2] = pentium3;
    EXPECT_EQ(CpuInfo(cyrix).GetL2CacheKB(), -1) << "other makers give the bytes other meanings";
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
        FakeCpuProbe probe(c.id, c.family, c.model, kTsc);
        CpuInfo cpu(probe);
        EXPECT_EQ(probe.AskedAnyExtendedLeaf(), c.asked) << c.id << " " << c.family << "." << c.model;
    }
}

TEST(CpuInfoTest, ExtendedFeaturesForAmdAndCyrixButNotIntel) {
    auto featuresOf = [](const char* id, uint32_t family, uint32_t model, uint32_t edx) {
        FakeCpuProbe probe(id, family, model, kTsc);
        probe.leaves[0x80000000] = CpuRegisters{0x80000001, 0, 0, 0};
        probe.leaves[0x80000001] = CpuRegisters{0, 0, 0, edx};
        return CpuInfo(probe).GetFeatures();
    };
    constexpr uint32_t kAll = 1u << 31 | 1u << 30 | 1u << 22 | 1u << 19;
    const CpuFeatures amd = featuresOf("AuthenticAMD", 6, 0, kAll);
    EXPECT_TRUE(amd.amd3dNow && amd.amd3dNowExtended && amd.mmxExtended && amd.multiprocessorCapable);
    EXPECT_FALSE(featuresOf("CyrixInstead", 6, 5, 1u << 22).mmxExtended) << "Cyrix marks it in bit 24";
    EXPECT_TRUE(featuresOf("CyrixInstead", 6, 5, 1u << 24).mmxExtended);
    EXPECT_FALSE(featuresOf("GenuineIntel", 15, 0, kAll).amd3dNow);
}

TEST(CpuInfoTest, ClockIsMeasuredWithTheTimeStampCounter) {
    FakeCpuProbe probe("GenuineIntel", 5, 4, kTsc);
    probe.leaves[1].eax |= 3;  // stepping
    CpuInfo cpu(probe);
    // 50 ticks of waiting less 2 ticks of measuring overhead, at 3,000,000 cycles per 1 ms tick.
    EXPECT_EQ(cpu.GetClockMHz(), 2880);
    EXPECT_EQ(cpu.GetEstimatedClockMHz(), 0u);
    EXPECT_EQ(probe.bitScans, 0u);
    EXPECT_EQ(DescribeCpu(cpu), u"Intel Corporation P55C, stepping 3 at 2880 MHz");
}

TEST(CpuInfoTest, TheClockTheSystemReportsIsTakenWithoutTiming) {
    FakeCpuProbe probe("GenuineIntel", 5, 4, kTsc);
    probe.reportedMHz = 2445;
    CpuInfo cpu(probe);
    EXPECT_EQ(cpu.GetClockMHz(), 2445);
    EXPECT_EQ(probe.ticks, 0u) << "no counter was timed";
}

TEST(CpuInfoTest, WithoutTimeStampCounterOnlyTheSlowEstimateIsMade) {
    FakeCpuProbe probe("GenuineIntel", 5, 2, kFpu);
    CpuInfo cpu(probe);
    EXPECT_EQ(probe.bitScans, 10'000'000u);
    EXPECT_EQ(cpu.GetEstimatedClockMHz(), 820u) << "4.3e8 / 0.5 s / 1048576, truncated";
    EXPECT_EQ(cpu.GetClockMHz(), -1);

    FakeCpuProbe later("GenuineIntel", 6, 0, kFpu);
    EXPECT_EQ(CpuInfo(later).GetEstimatedClockMHz(), 0u) << "no known cost per scan";
}

TEST(CpuInfoTest, SerialNumberFromLeafThreeHighestByteFirst) {
    FakeCpuProbe probe("GenuineIntel", 6, 7, kTsc | kSerial, 3);
    probe.leaves[3] = CpuRegisters{0, 0x0102A3B4, 0x05060708, 0xF90A0B0C};
    EXPECT_EQ(CpuInfo(probe).GetSerialNumber(), u"0102-a3b4-0506-0708-f90a-0b0c");

    probe.leaves[0].eax = 2;  // leaf 3 not offered
    EXPECT_TRUE(CpuInfo(probe).GetSerialNumber().empty());
}

TEST(CpuModelNameTest, ListedModelsAndUnknownNames) {
    EXPECT_EQ(CpuModelName(CpuVendor::Amd, 5, 8), u"K6-2");
    EXPECT_EQ(CpuModelName(CpuVendor::Transmeta, 5, 7), u"Crusoe TM3x00 and TM5x00") << "any model";
    EXPECT_EQ(CpuModelName(CpuVendor::Intel, 4, 9), u"Unknown 80486 family");
    EXPECT_EQ(CpuModelName(CpuVendor::Amd, 6, 1), u"Unknown AMD family");
    EXPECT_EQ(CpuModelName(CpuVendor::NexGen, 5, 0), u"Unknown family");
}

}  // namespace
}  // namespace quill
