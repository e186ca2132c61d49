#include "QuillLib/engine/CpuInfo.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "QuillLib/core/Format.h"
#include "QuillLib/engine/CpuCacheDescriptors.h"
#include "QuillLib/engine/CpuModelName.h"
#include "QuillLib/engine/HostCpuProbe.h"
#include "platform/system/CodePage.h"

namespace quill {
namespace {

constexpr uint32_t kExtendedBase = 0x80000000;
constexpr uint32_t kExtendedFeatures = 0x80000001;
constexpr uint32_t kBrandFirst = 0x80000002;
constexpr uint32_t kBrandLast = 0x80000004;
constexpr uint32_t kL1Cache = 0x80000005;
constexpr uint32_t kL2Cache = 0x80000006;
constexpr uint32_t kCacheDescriptors = 2;

constexpr uint32_t kClockWaitMs = 50;
constexpr uint32_t kBitScanCount = 10'000'000;

bool Bit(uint32_t value, int bit) {
    return ((value >> bit) & 1u) != 0;
}

uint32_t Bits(uint32_t value, int first, int count) {
    return (value >> first) & ((1u << count) - 1u);
}

// A size of zero is no report: the field keeps its "unknown" value.
void SetCacheSize(int32_t& field, uint32_t sizeKB) {
    if (sizeKB != 0) {
        field = static_cast<int32_t>(sizeKB);
    }
}

void AppendBytes(std::string& text, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        text += static_cast<char>(Bits(value, 8 * i, 8));
    }
}

struct VendorRow {
    const char* id;
    CpuVendor vendor;
};

constexpr auto kVendors = std::to_array<VendorRow>({
    {"GenuineIntel", CpuVendor::Intel},
    {"UMC UMC UMC ", CpuVendor::Umc},
    {"AuthenticAMD", CpuVendor::Amd},
    {"AMD ISBETTER", CpuVendor::Amd},
    {"CyrixInstead", CpuVendor::Cyrix},
    {"NexGenDriven", CpuVendor::NexGen},
    {"CentaurHauls", CpuVendor::IdtCentaur},
    {"RiseRiseRise", CpuVendor::Rise},
    {"GenuineTMx86", CpuVendor::Transmeta},
    {"TransmetaCPU", CpuVendor::Transmeta},
    {"Geode By NSC", CpuVendor::NationalSemiconductor},
});

// The rough clock of a processor without a time-stamp counter, from the time its bit scans took.
// Only the 386, 486 and Pentium families have a known cost per scan; others get no estimate.
uint32_t SlowClockEstimateMHz(uint32_t family, uint64_t elapsedCounts, uint64_t frequency) {
    double cyclesPerRun = 0;
    switch (family) {
        case 3:
            cyclesPerRun = 1.15e9;
            break;
        case 4:
            cyclesPerRun = 4.7e8;
            break;
        case 5:
            cyclesPerRun = 4.3e8;
            break;
        default:
            return 0;
    }
    if (elapsedCounts == 0 || frequency == 0) {
        return 0;
    }
    const double seconds = static_cast<double>(elapsedCounts) / static_cast<double>(frequency);
    return static_cast<uint32_t>(cyclesPerRun / seconds / 1048576.0);
}

// Time-stamp cycles spent while the performance counter runs through 50 ms.
uint64_t CyclesInWait(CpuProbe& probe, uint64_t frequency) {
    const uint64_t waitCounts = frequency * kClockWaitMs / 1000;
    const uint64_t start = probe.ReadPerformanceCounter();
    const uint64_t firstCycle = probe.ReadTimeStampCounter();
    while (probe.ReadPerformanceCounter() - start < waitCounts) {
    }
    return probe.ReadTimeStampCounter() - firstCycle;
}

// Time-stamp cycles spent only waiting for the performance counter to change: the cost of measuring.
uint64_t MeasuringOverhead(CpuProbe& probe) {
    const uint64_t firstCycle = probe.ReadTimeStampCounter();
    const uint64_t start = probe.ReadPerformanceCounter();
    while (probe.ReadPerformanceCounter() == start) {
    }
    return probe.ReadTimeStampCounter() - firstCycle;
}

}  // namespace

CpuInfo::CpuInfo() {
    HostCpuProbe probe;
    Probe(probe);
}

CpuInfo::CpuInfo(CpuProbe& probe) {
    Probe(probe);
}

void CpuInfo::Probe(CpuProbe& probe) {
    if (!probe.HasIdentification()) {
        return;
    }
    identified_ = true;
    ReadVendor(probe.Identify(0));
    if (maxStandardLeaf_ >= 1) {
        const platform::CpuRegisters leaf1 = probe.Identify(1);
        ReadSignature(leaf1);
        ReadStandardFeatures(leaf1);
    }
    if (MakerAllowsExtendedLeaves()) {
        maxExtendedLeaf_ = probe.Identify(kExtendedBase).eax;
    }
    MeasureClock(probe);
    ReadCaches(probe);
    ReadModelName(probe);
    ReadExtendedFeatures(probe);
    ReadSerialNumber(probe);
}

void CpuInfo::ReadVendor(const platform::CpuRegisters& leaf0) {
    maxStandardLeaf_ = leaf0.eax;
    vendorId_.clear();
    AppendBytes(vendorId_, leaf0.ebx);
    AppendBytes(vendorId_, leaf0.edx);
    AppendBytes(vendorId_, leaf0.ecx);
    vendor_ = CpuVendor::Unknown;
    for (const VendorRow& row : kVendors) {
        if (vendorId_ == row.id) {
            vendor_ = row.vendor;
            break;
        }
    }
}

void CpuInfo::ReadSignature(const platform::CpuRegisters& leaf1) {
    stepping_ = Bits(leaf1.eax, 0, 4);
    model_ = Bits(leaf1.eax, 4, 4);
    family_ = Bits(leaf1.eax, 8, 4);
    type_ = Bits(leaf1.eax, 12, 4);
    extendedModel_ = Bits(leaf1.eax, 16, 4);
    extendedFamily_ = Bits(leaf1.eax, 20, 8);
}

void CpuInfo::ReadStandardFeatures(const platform::CpuRegisters& leaf1) {
    const uint32_t edx = leaf1.edx;
    features_.fpu = Bit(edx, 0);
    features_.timeStampCounter = Bit(edx, 4);
    features_.apic = Bit(edx, 9);
    features_.mtrr = Bit(edx, 12);
    features_.cmov = Bit(edx, 15);
    features_.serialNumber = Bit(edx, 18);
    features_.acpi = Bit(edx, 22);
    features_.mmx = Bit(edx, 23);
    features_.sse = Bit(edx, 25);
    features_.sse2 = Bit(edx, 26);
    features_.thermalMonitor = Bit(edx, 29);
    features_.ia64 = Bit(edx, 30);
    if (vendor_ != CpuVendor::Intel) {
        return;
    }
    features_.hyperThreading = Bit(edx, 28);
    logicalProcessors_ = features_.hyperThreading ? Bits(leaf1.ebx, 16, 8) : 1;
    if (features_.hyperThreading && features_.apic) {
        apicId_ = Bits(leaf1.ebx, 24, 8);
    }
}

void CpuInfo::MeasureClock(CpuProbe& probe) {
    const uint64_t frequency = probe.PerformanceFrequency();
    if (!features_.timeStampCounter) {
        const uint64_t start = probe.ReadPerformanceCounter();
        probe.RunBitScans(kBitScanCount);
        const uint64_t elapsed = probe.ReadPerformanceCounter() - start;
        estimatedClockMHz_ = SlowClockEstimateMHz(family_, elapsed, frequency);
        return;
    }
    // The kernel calibrated the clock at boot: asking it costs nothing, where timing the counters keeps a
    // processor busy for 50 ms while the program starts.
    if (const uint32_t reported = probe.ReportedClockMHz(); reported != 0) {
        measuredClockMHz_ = reported;
        return;
    }
    if (frequency == 0) {
        return;
    }
    const uint64_t waitCycles = CyclesInWait(probe, frequency);
    const uint64_t overhead = MeasuringOverhead(probe);
    if (waitCycles > overhead) {
        measuredClockMHz_ = static_cast<uint32_t>((waitCycles - overhead) / kClockWaitMs / 1000);
    }
}

void CpuInfo::ReadCaches(CpuProbe& probe) {
    // Without the extended leaves an Intel processor describes its caches in leaf 2. Other makers give
    // those bytes meanings of their own, so their sizes stay unknown.
    if (HasExtendedLeaf(kL1Cache)) {
        ReadExtendedCacheLeaves(probe);
    } else if (vendor_ == CpuVendor::Intel && maxStandardLeaf_ >= kCacheDescriptors) {
        ReadCacheDescriptors(probe);
    }
}

void CpuInfo::ReadExtendedCacheLeaves(CpuProbe& probe) {
    // A leaf within the range may still be reserved (Intel answers leaf 0x80000005 with zeros); a size of
    // zero counts as not reported.
    const platform::CpuRegisters l1 = probe.Identify(kL1Cache);
    SetCacheSize(l1CacheKB_, Bits(l1.ecx, 24, 8) + Bits(l1.edx, 24, 8));
    if (HasExtendedLeaf(kL2Cache)) {
        SetCacheSize(l2CacheKB_, Bits(probe.Identify(kL2Cache).ecx, 16, 16));
    }
}

void CpuInfo::ReadCacheDescriptors(CpuProbe& probe) {
    const CacheSizesKB sizes = DecodeCacheDescriptors(probe.Identify(kCacheDescriptors));
    SetCacheSize(l1CacheKB_, sizes.l1Data + sizes.l1Instruction);
    SetCacheSize(l2CacheKB_, sizes.l2);
    SetCacheSize(l3CacheKB_, sizes.l3);
}

void CpuInfo::ReadModelName(CpuProbe& probe) {
    if (!HasExtendedLeaf(kBrandLast)) {
        modelName_ = CpuModelName(vendor_, family_, model_);
        return;
    }
    std::string brand;
    for (uint32_t leaf = kBrandFirst; leaf <= kBrandLast; ++leaf) {
        const platform::CpuRegisters part = probe.Identify(leaf);
        AppendBytes(brand, part.eax);
        AppendBytes(brand, part.ebx);
        AppendBytes(brand, part.ecx);
        AppendBytes(brand, part.edx);
    }
    std::string_view text(brand.c_str());  // up to the first zero byte
    if (vendor_ == CpuVendor::Intel) {
        text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    }
    modelName_ = platform::FromCodePage(text);
}

void CpuInfo::ReadExtendedFeatures(CpuProbe& probe) {
    if (vendor_ == CpuVendor::Intel || !HasExtendedLeaf(kExtendedFeatures)) {
        return;
    }
    const uint32_t edx = probe.Identify(kExtendedFeatures).edx;
    features_.amd3dNow = Bit(edx, 31);
    features_.amd3dNowExtended = Bit(edx, 30);
    features_.multiprocessorCapable = Bit(edx, 19);
    if (vendor_ == CpuVendor::Amd) {
        features_.mmxExtended = Bit(edx, 22);
    } else if (vendor_ == CpuVendor::Cyrix) {
        features_.mmxExtended = Bit(edx, 24);
    }
}

void CpuInfo::ReadSerialNumber(CpuProbe& probe) {
    if (!features_.serialNumber || maxStandardLeaf_ < 3) {
        return;
    }
    const platform::CpuRegisters leaf3 = probe.Identify(3);
    std::array<uint32_t, 12> bytes{};
    size_t index = 0;
    for (uint32_t value : {leaf3.ebx, leaf3.ecx, leaf3.edx}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes[index++] = Bits(value, shift, 8);
        }
    }
    serialNumber_ = Format(u"%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x", bytes[0], bytes[1], bytes[2],
                           bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8], bytes[9], bytes[10], bytes[11]);
}

bool CpuInfo::MakerAllowsExtendedLeaves() const {
    const uint32_t family = family_;
    const uint32_t model = model_;
    switch (vendor_) {
        case CpuVendor::Amd:
            return family > 5 || (family == 5 && model >= 6);
        case CpuVendor::Cyrix:
            return (family > 5 || (family == 5 && model >= 4)) && !(family == 6 && model < 5);
        case CpuVendor::IdtCentaur:
            return family > 5 || (family == 5 && model >= 8);
        case CpuVendor::Transmeta:
            return family >= 5;
        case CpuVendor::Intel:
            return family >= 15;
        default:
            return true;
    }
}

WString CpuInfo::GetVendorName() const {
    switch (vendor_) {
        case CpuVendor::Amd:
            return u"Advanced Micro Devices";
        case CpuVendor::Intel:
            return u"Intel Corporation";
        case CpuVendor::NationalSemiconductor:
            return u"National Semiconductor";
        case CpuVendor::Umc:
            return u"United Microelectronics Corp.";
        case CpuVendor::Cyrix:
            return u"Cyrix Corp., VIA Inc.";
        case CpuVendor::NexGen:
            return u"NexGen Inc., Advanced Micro Devices";
        case CpuVendor::IdtCentaur:
            return u"IDT\\Centaur, Via Inc.";
        case CpuVendor::Rise:
            return u"Rise";
        case CpuVendor::Transmeta:
            return u"Transmeta";
        default:
            return u"Unknown Manufacturer";
    }
}

int32_t CpuInfo::GetClockMHz() const {
    return measuredClockMHz_ ? static_cast<int32_t>(*measuredClockMHz_) : -1;
}

}  // namespace quill
