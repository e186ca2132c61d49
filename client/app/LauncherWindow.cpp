#include "client/app/LauncherWindow.h"

namespace kestrovan {
namespace {

constexpr size_t kTitleLength = 260;

}  // namespace

std::optional<int> LauncherWindowAction(const TopLevelWindow& window, bool minimise) {
    if (window.ownedByThisProgram || window.hasOwner || !window.visible || window.toolWindow) {
        return std::nullopt;
    }
    if (platform::WStringView(window.title).substr(0, kTitleLength) != u"Kestrovan Update") {
        return std::nullopt;
    }
    return minimise ? ShowKind::MinimizedNotActive : ShowKind::Restore;
}

void ShowLauncherWindow(int /*unused*/, bool /*minimise*/) {}

}  // namespace kestrovan
