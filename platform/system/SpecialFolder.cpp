#include "platform/system/SpecialFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

std::string DesktopFolder() {
    if (const char* desktop = std::getenv("XDG_DESKTOP_DIR"); desktop != nullptr && *desktop != '\0') {
        return desktop;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return ".";
    std::error_code error;
    const std::filesystem::path desktop = std::filesystem::path(home) / "Desktop";
    if (std::filesystem::is_directory(desktop, error)) return desktop.string();
    return home;
}

}  // namespace platform
