#pragma once
// The lines of the system report that describe the player's machine. None of them fails loudly: a query
// that cannot be answered gives its fixed failure text.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace quill {

class CpuInfo;

// Total physical memory in MB, rounded up (2 GiB gives 2048, one byte more 2049).
uint32_t GetPhysicalMemoryMB();
uint32_t BytesToMegabytesRoundedUp(uint64_t bytes);

// The operating system's name, version, build and service pack, or "Failed to get OS name".
WString GetOsName();

// The first display adapter, or "Failed to get display adapter name".
WString GetDisplayAdapterName();

// "<vendor> <model>, stepping <n> at <MHz> MHz", with "Error: CPU does not support CPUID." in place of the
// processor's name when it cannot identify itself; the clock is -1 when it was not measured.
WString GetCpuDescription();
WString DescribeCpu(const CpuInfo& cpu);

// The system web browser's version. This system has no browser library to ask, so the text is always
// "Failed to get Internet Explorer version".
WString GetBrowserVersion();

}  // namespace quill
