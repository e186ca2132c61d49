#pragma once
// Identifies the processor with its identification instruction and measures its clock with the time-stamp
// counter against the performance counter (a busy wait of 50 ms). Everything is found by the constructor;
// a processor without the instruction leaves the record cleared, and a leaf it does not offer leaves its
// fields at their defaults.
//
// Extended leaves (0x80000000 and up) are asked only of processors recent enough for their maker: AMD from
// family 5 model 6, Cyrix from family 5 model 4 (not family 6 below model 5), IDT from family 5 model 8,
// Transmeta from family 5, Intel from family 15, others always. Intel processors of family 6 therefore take
// their name from the model table instead of the brand string, and their cache sizes from the descriptors
// of leaf 2 instead of leaves 0x80000005 and 0x80000006.
#include <cstdint>
#include <optional>
#include <string>

#include "QuillLib/core/WString.h"
#include "QuillLib/engine/CpuVendor.h"
#include "platform/system/SystemQuery.h"

namespace quill {

class CpuProbe;

struct CpuFeatures {
    bool fpu = false;
    bool timeStampCounter = false;
    bool mmx = false;
    bool sse = false;
    bool sse2 = false;
    bool ia64 = false;
    bool apic = false;
    bool mtrr = false;
    bool cmov = false;
    bool serialNumber = false;
    bool acpi = false;
    bool thermalMonitor = false;
    bool hyperThreading = false;
    bool amd3dNow = false;
    bool amd3dNowExtended = false;
    bool mmxExtended = false;
    bool multiprocessorCapable = false;
};

class CpuInfo {
public:
    // Probes the processor the program runs on.
    CpuInfo();
    explicit CpuInfo(CpuProbe& probe);

    bool IsIdentified() const { return identified_; }

    CpuVendor GetVendor() const { return vendor_; }
    // "Intel Corporation", "Advanced Micro Devices", ..., "Unknown Manufacturer".
    WString GetVendorName() const;
    // The 12 characters of the maker's identification text ("GenuineIntel").
    const std::string& GetVendorId() const { return vendorId_; }

    uint32_t GetType() const { return type_; }
    uint32_t GetFamily() const { return family_; }
    uint32_t GetModel() const { return model_; }
    uint32_t GetStepping() const { return stepping_; }
    uint32_t GetExtendedFamily() const { return extendedFamily_; }
    uint32_t GetExtendedModel() const { return extendedModel_; }

    const CpuFeatures& GetFeatures() const { return features_; }
    uint32_t GetLogicalProcessors() const { return logicalProcessors_; }
    uint32_t GetApicId() const { return apicId_; }

    // Cache sizes in KB (L1 is data and instruction together); -1 when the processor does not report them.
    int32_t GetL1CacheKB() const { return l1CacheKB_; }
    int32_t GetL2CacheKB() const { return l2CacheKB_; }
    int32_t GetL3CacheKB() const { return l3CacheKB_; }

    // The clock measured with the time-stamp counter; -1 when it could not be measured.
    int32_t GetClockMHz() const;
    // The rough estimate made instead when there is no time-stamp counter; 0 otherwise.
    uint32_t GetEstimatedClockMHz() const { return estimatedClockMHz_; }

    const WString& GetModelName() const { return modelName_; }
    // "xxxx-xxxx-xxxx-xxxx-xxxx-xxxx" when the processor has a serial number, empty otherwise.
    const WString& GetSerialNumber() const { return serialNumber_; }

private:
    void Probe(CpuProbe& probe);
    void ReadVendor(const platform::CpuRegisters& leaf0);
    void ReadSignature(const platform::CpuRegisters& leaf1);
    void ReadStandardFeatures(const platform::CpuRegisters& leaf1);
    void MeasureClock(CpuProbe& probe);
    void ReadCaches(CpuProbe& probe);
    void ReadExtendedCacheLeaves(CpuProbe& probe);
    void ReadCacheDescriptors(CpuProbe& probe);
    void ReadModelName(CpuProbe& probe);
    void ReadExtendedFeatures(CpuProbe& probe);
    void ReadSerialNumber(CpuProbe& probe);

    bool MakerAllowsExtendedLeaves() const;
    bool HasExtendedLeaf(uint32_t leaf) const { return maxExtendedLeaf_ >= leaf; }

    bool identified_ = false;
    CpuVendor vendor_ = CpuVendor::Unknown;
    std::string vendorId_;
    uint32_t maxStandardLeaf_ = 0;
    uint32_t maxExtendedLeaf_ = 0;
    uint32_t type_ = 0;
    uint32_t family_ = 0;
    uint32_t model_ = 0;
    uint32_t stepping_ = 0;
    uint32_t extendedFamily_ = 0;
    uint32_t extendedModel_ = 0;
    CpuFeatures features_;
    uint32_t logicalProcessors_ = 1;
    uint32_t apicId_ = 0;
    int32_t l1CacheKB_ = -1;
    int32_t l2CacheKB_ = -1;
    int32_t l3CacheKB_ = -1;
    uint32_t estimatedClockMHz_ = 0;
    std::optional<uint32_t> measuredClockMHz_;
    WString modelName_;
    WString serialNumber_;
};

}  // namespace quill
