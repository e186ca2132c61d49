#pragma once
// The CpuProbe of the machine the program runs on.
#include "QuillLib/engine/CpuProbe.h"

namespace quill {

class HostCpuProbe : public CpuProbe {
public:
    bool HasIdentification() override;
    platform::CpuRegisters Identify(uint32_t leaf) override;
    uint32_t ReportedClockMHz() override;
    uint64_t ReadTimeStampCounter() override;
    uint64_t ReadPerformanceCounter() override;
    uint64_t PerformanceFrequency() override;
    void RunBitScans(uint32_t count) override;
};

}  // namespace quill
