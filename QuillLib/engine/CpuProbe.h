#pragma once
// What CpuInfo asks of the machine: the processor's identification instruction, the clock the operating
// system reports, its time-stamp counter and the performance counter to time them against, and a loop of
// bit scans for the clock estimate of processors without a time-stamp counter. HostCpuProbe asks the real machine; tests script the answers.
#include <cstdint>

#include "platform/system/SystemQuery.h"

namespace quill {

class CpuProbe {
public:
    virtual ~CpuProbe() = default;

    virtual bool HasIdentification() = 0;
    virtual platform::CpuRegisters Identify(uint32_t leaf) = 0;
    // The clock in MHz as the operating system reports it; 0 when it reports none.
    virtual uint32_t ReportedClockMHz() = 0;
    virtual uint64_t ReadTimeStampCounter() = 0;
    virtual uint64_t ReadPerformanceCounter() = 0;
    virtual uint64_t PerformanceFrequency() = 0;
    virtual void RunBitScans(uint32_t count) = 0;
};

}  // namespace quill
