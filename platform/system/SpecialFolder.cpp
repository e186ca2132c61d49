#include "platform/system/SpecialFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <system_error>

#include "platform/system/Path.h"

namespace platform {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool IsFolder(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

// The user-dirs file's text; none when it is not a regular file (a FIFO would block the start for ever) or is
// larger than any such file (xdg-user-dirs writes a few hundred bytes).
std::optional<std::string> ReadUserDirs(const std::filesystem::path& file) {
    constexpr size_t kLargestFile = 64 * 1024;
    const std::unique_ptr<FILE, int (*)(FILE*)> in(OpenRegularNativeFile(file.string()), &std::fclose);
    if (!in) return std::nullopt;
    std::string text(kLargestFile + 1, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), in.get()));
    if (text.size() > kLargestFile || std::ferror(in.get()) != 0) return std::nullopt;
    return text;
}

// The desktop line of a user-dirs file: XDG_DESKTOP_DIR="$HOME/..." or an absolute path in quotes, as
// xdg-user-dirs writes it. Other forms are not the format's and name nothing.
std::optional<std::filesystem::path> DesktopInUserDirs(const std::filesystem::path& file, const std::string& home) {
    constexpr std::string_view kKey = "XDG_DESKTOP_DIR=\"";
    const std::optional<std::string> text = ReadUserDirs(file);
    if (!text) return std::nullopt;
    std::istringstream in(*text);
    std::string line;
    std::optional<std::filesystem::path> found;
    while (std::getline(in, line)) {
        if (!line.starts_with(kKey) || !line.ends_with('"')) continue;
        const std::string value = line.substr(kKey.size(), line.size() - kKey.size() - 1);
        if (value.starts_with("$HOME") && (value.size() == 5 || value[5] == '/') && !home.empty()) {
            found = std::filesystem::path(home + value.substr(5));
        } else if (value.starts_with('/')) {
            found = std::filesystem::path(value);
        }
    }
    return found;
}

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

PictureFolder DesktopFolder() {
    const std::string home = Variable("HOME");
    std::string config = Variable("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty()) config = home + "/.config";
    std::optional<std::filesystem::path> named;
    if (const std::string variable = Variable("XDG_DESKTOP_DIR"); !variable.empty()) {
        named = variable;
    } else if (!config.empty()) {
        named = DesktopInUserDirs(std::filesystem::path(config) / "user-dirs.dirs", home);
    }
    if (!named && !home.empty()) named = std::filesystem::path(home) / "Desktop";
    // A session without a desktop names the home folder itself as its desktop.
    if (named && IsFolder(*named) && !(IsFolder(home) && SameFolder(*named, home))) {
        return {named->string(), PictureFolder::Kind::Desktop};
    }
    if (!home.empty()) return {home, PictureFolder::Kind::Home};
    return {".", PictureFolder::Kind::WorkingFolder};
}

}  // namespace platform
