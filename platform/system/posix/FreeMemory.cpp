#include "platform/system/posix/FreeMemory.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace platform {
namespace {

constexpr std::string_view kShaderCompiler = "/libLLVM";

// Drops the resident pages of the machine code of the libraries whose file name holds part. Only mappings
// that are executable and not writable are let go: code is never written, so the pages read back from the
// file are the ones dropped (data, even read-only after relocation, may differ from the file and stays).
void ReleaseLibraryCode(std::string_view part) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::string range, permissions, offset, device, inode, path;
        fields >> range >> permissions >> offset >> device >> inode >> path;
        if (permissions != "r-xp" || path.find(part) == std::string::npos) continue;
        const size_t dash = range.find('-');
        if (dash == std::string::npos) continue;
        const uintptr_t start = std::stoull(range.substr(0, dash), nullptr, 16);
        const uintptr_t end = std::stoull(range.substr(dash + 1), nullptr, 16);
        madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
    }
}

}  // namespace

void ReturnFreedMemory() {
    malloc_trim(0);
    ReleaseLibraryCode(kShaderCompiler);
}

}  // namespace platform
