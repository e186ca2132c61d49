// Arbitrary text as the system's own descriptions: the kernel's release text and a PCI name list (the
// pci.ids file, which any package may replace). The readers must take what they can and never read past
// the text; a name they find must be text that the list holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/system/SystemQuery.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const platform::KernelVersion version = platform::ParseKernelRelease("Linux", text);
    if (version.release != text) {
        std::abort();
    }
    // The ids to look up come from the text's first bytes, so that the fuzzer can make them match a line.
    const uint16_t vendor = size >= 2 ? static_cast<uint16_t>(data[0] << 8 | data[1]) : 0;
    const uint16_t device = size >= 4 ? static_cast<uint16_t>(data[2] << 8 | data[3]) : 0;
    const std::string name = platform::LookUpPciName(text, vendor, device);
    if (name.size() > size + 1) {
        std::abort();
    }
    return 0;
}
