#include "QuillLib/engine/OsVersionInfo.h"

#include <optional>

#include "platform/system/SystemQuery.h"

namespace quill {

OsVersionInfo OsVersionInfo::FromKernel(const platform::KernelVersion& kernel) {
    OsVersionInfo info;
    info.platform = kLinux;
    info.major = kernel.major;
    info.minor = kernel.minor;
    info.build = kernel.patch;
    return info;
}

bool OsVersionInfo::Query() {
    const std::optional<platform::KernelVersion> kernel = platform::QueryKernelVersion();
    if (!kernel) {
        return false;
    }
    *this = FromKernel(*kernel);
    return true;
}

}  // namespace quill
