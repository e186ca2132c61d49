#include "QuillLib/engine/SystemInfo.h"

#include <limits>
#include <optional>
#include <string>

#include "QuillLib/core/Format.h"
#include "QuillLib/engine/CpuInfo.h"
#include "QuillLib/engine/OsName.h"
#include "QuillLib/engine/OsVersionInfo.h"
#include "platform/system/CodePage.h"
#include "platform/system/SystemQuery.h"

namespace quill {

uint32_t BytesToMegabytesRoundedUp(uint64_t bytes) {
    constexpr uint64_t kMegabyte = 1024 * 1024;
    const uint64_t megabytes = bytes / kMegabyte + (bytes % kMegabyte != 0 ? 1 : 0);
    constexpr uint64_t kLargest = std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(megabytes < kLargest ? megabytes : kLargest);
}

uint32_t GetPhysicalMemoryMB() {
    return BytesToMegabytesRoundedUp(platform::QueryPhysicalMemoryBytes());
}

WString GetOsName() {
    OsVersionInfo info;
    if (!info.Query()) {
        return u"Failed to get OS name";
    }
    return BuildOsName(info);
}

WString GetDisplayAdapterName() {
    const std::optional<std::string> name = platform::QueryDisplayAdapterName();
    if (!name) {
        return u"Failed to get display adapter name";
    }
    return platform::Utf8ToUtf16(*name);
}

WString DescribeCpu(const CpuInfo& cpu) {
    WString text = cpu.IsIdentified()
                       ? Format(u"%s %s, stepping %d", cpu.GetVendorName(), cpu.GetModelName(), cpu.GetStepping())
                       : WString(u"Error: CPU does not support CPUID.");
    text += Format(u" at %d MHz", cpu.GetClockMHz());
    return text;
}

WString GetCpuDescription() {
    return DescribeCpu(CpuInfo());
}

WString GetBrowserVersion() {
    return u"Failed to get Internet Explorer version";
}

}  // namespace quill
