#include "tools/tpk/LocalFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <span>

#include "platform/system/CodePage.h"
#include "platform/system/FileReplace.h"

namespace tpk {
namespace {

namespace fs = std::filesystem;

std::string SystemReason(int error) {
    return error == 0 ? "cannot be read" : std::strerror(error);
}

}  // namespace

bool LocalFile::Read(const fs::path& path, quill::MemoryStream& bytes, std::string& error) {
    std::error_code status;
    const fs::file_status found = fs::status(path, status);
    if (found.type() == fs::file_type::not_found) {
        error = Display(path) + ": no such file";
        return false;
    }
    if (found.type() == fs::file_type::directory) {
        error = Display(path) + ": a folder, not a file";
        return false;
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        error = Display(path) + ": " + SystemReason(errno != 0 ? errno : status.value());
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || size > std::numeric_limits<uint32_t>::max()) {
        error = Display(path) + ": too large";
        return false;
    }
    file.seekg(0);
    if (!bytes.Allocate(static_cast<uint32_t>(size)) ||
        !file.read(reinterpret_cast<char*>(bytes.Data()), static_cast<std::streamsize>(size))) {
        error = Display(path) + ": " + SystemReason(errno);
        return false;
    }
    return true;
}

bool LocalFile::Replace(const fs::path& path, std::string_view bytes, std::string& error) {
    errno = 0;
    if (!platform::ReplaceFileContents(path.string(), std::as_bytes(std::span(bytes.data(), bytes.size())))) {
        error = Display(path) + ": cannot be written (" + SystemReason(errno) + ")";
        return false;
    }
    return true;
}

std::string LocalFile::Display(const fs::path& path) {
    return platform::Utf16ToUtf8(platform::Utf8ToUtf16(path.string()));
}

}  // namespace tpk
