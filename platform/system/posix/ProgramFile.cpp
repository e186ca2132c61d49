#include "platform/system/posix/ProgramFile.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string ProgramFile(const char* fallback) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(fallback) : self.string();
}

}  // namespace platform
