#pragma once
// What the running Linux system says about itself: the kernel's name and version, the physical memory, the
// first display adapter and the processor's identification and time-stamp instructions. Every query answers
// "unknown" (an empty optional, zero, false) rather than failing loudly.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct KernelVersion {
    std::string systemName;  // "Linux"
    std::string release;     // "6.1.0-18-amd64"
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t patch = 0;
};

std::optional<KernelVersion> QueryKernelVersion();
// The leading numbers of a release text; missing ones are 0 ("6.1.0-18-amd64" gives 6, 1, 0).
KernelVersion ParseKernelRelease(std::string_view systemName, std::string_view release);

// Total physical memory in bytes; 0 when unknown.
uint64_t QueryPhysicalMemoryBytes();

// A description of the first display controller on the PCI bus (by bus address): its vendor and device
// names from the system's PCI name list when it has one, else its ids. Empty when there is none.
std::optional<std::string> QueryDisplayAdapterName();
// The "vendor device" names of the ids in a PCI name list (the pci.ids format); empty when the vendor is not
// listed, only the vendor's name when the device is not.
std::string LookUpPciName(std::string_view nameList, uint16_t vendor, uint16_t device);

struct CpuRegisters {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// Whether the processor has the identification instruction (always on x86-64, never on other machines).
bool CpuidAvailable();
// The registers of one identification leaf; all zero where the instruction does not exist.
CpuRegisters Cpuid(uint32_t leaf);
// The processor's time-stamp counter; 0 where it does not exist.
uint64_t ReadTimeStampCounter();

// The clock of the first processor in MHz as the kernel reports it ("cpu MHz" in /proc/cpuinfo, which the
// kernel calibrated at boot); 0 when it reports none.
uint32_t QueryReportedCpuClockMHz();
// The whole MHz of the first "cpu MHz" line of a /proc/cpuinfo text; 0 when there is none.
uint32_t ParseCpuInfoClockMHz(std::string_view cpuInfo);

}  // namespace platform
