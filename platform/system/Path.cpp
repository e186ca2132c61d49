#include "platform/system/Path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/system/CodePage.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// The entry of folder whose name equals name without regard to case; the first in name order when several
// do, so that the choice does not depend on the order of the folder.
std::optional<std::string> FindEntryIgnoringCase(const fs::path& folder, std::string_view name) {
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    std::optional<std::string> found;
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::string entry = entries->path().filename().string();
        if (EqualIgnoringAsciiCase(entry, name) && (!found || entry < *found)) {
            found = std::move(entry);
        }
    }
    return found;
}

std::vector<std::string_view> SplitComponents(std::string_view path) {
    std::vector<std::string_view> components;
    while (!path.empty()) {
        size_t slash = path.find('/');
        std::string_view component = path.substr(0, slash);
        if (!component.empty()) {
            components.push_back(component);
        }
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return components;
}

// Rebuilds path component by component, taking for each the folder's entry of the same name in any case.
std::string ResolveIgnoringCase(const std::string& path) {
    fs::path resolved = path.starts_with('/') ? fs::path("/") : fs::path();
    bool matching = true;
    for (std::string_view component : SplitComponents(path)) {
        std::optional<std::string> match;
        if (matching && component != "." && component != "..") {
            fs::path exact = resolved / component;
            match = Exists(exact) ? std::string(component) : FindEntryIgnoringCase(resolved, component);
            matching = match.has_value();
        }
        resolved /= match ? *match : std::string(component);
    }
    return resolved.string();
}

}  // namespace

std::string NativePath(WStringView windowsPath) {
    std::string path = Utf16ToUtf8(windowsPath);
    std::ranges::replace(path, '\\', '/');
    if (path.empty() || Exists(path)) {
        return path;
    }
    return ResolveIgnoringCase(path);
}

FILE* OpenFile(WStringView path, const char* mode) {
    return std::fopen(NativePath(path).c_str(), mode);
}

FILE* OpenRegularFile(WStringView path) {
    return OpenRegularNativeFile(NativePath(path));
}

FILE* OpenRegularNativeFile(const std::string& nativePath) {
    const int fd = open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || fcntl(fd, F_SETFL, 0) != 0) {
        close(fd);
        return nullptr;
    }
    FILE* file = fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

}  // namespace platform
