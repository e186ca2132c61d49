#include "QuillLib/engine/HostCpuProbe.h"

#include "platform/system/Clock.h"

namespace quill {

bool HostCpuProbe::HasIdentification() {
    return platform::CpuidAvailable();
}

platform::CpuRegisters HostCpuProbe::Identify(uint32_t leaf) {
    return platform::Cpuid(leaf);
}

uint32_t HostCpuProbe::ReportedClockMHz() {
    return platform::QueryReportedCpuClockMHz();
}

uint64_t HostCpuProbe::ReadTimeStampCounter() {
    return platform::ReadTimeStampCounter();
}

uint64_t HostCpuProbe::ReadPerformanceCounter() {
    return platform::QueryPerformanceCounter();
}

uint64_t HostCpuProbe::PerformanceFrequency() {
    return platform::QueryPerformanceFrequency();
}

void HostCpuProbe::RunBitScans(uint32_t count) {
    // The volatile operand and sink keep the compiler from folding the scans away.
    volatile uint32_t operand = 0x80000000u;
    volatile uint32_t sink = 0;
    for (uint32_t i = 0; i < count; ++i) {
        sink = static_cast<uint32_t>(__builtin_ctz(operand));
    }
    (void)sink;
}

}  // namespace quill
