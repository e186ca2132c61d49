#pragma once
// The launcher's window "Kestrovan Update", minimised while the game runs full screen and restored when it
// ends. This system lets no program list or show another program's windows, so ShowLauncherWindow does
// nothing; which window it would act on, and how, is kept as a decision of its own.
#include <optional>

#include "platform/system/WString.h"

namespace kestrovan {

// A top-level window of the desktop, as the enumeration sees it.
struct TopLevelWindow {
    bool ownedByThisProgram = false;  // its class belongs to this program's instance
    bool hasOwner = false;
    bool visible = true;
    bool toolWindow = false;
    platform::WString title;  // at most 260 characters are read
};

namespace ShowKind {
inline constexpr int MinimizedNotActive = 7;
inline constexpr int Restore = 9;
}  // namespace ShowKind

// How the window is to be shown, or nothing when it is not the launcher's.
std::optional<int> LauncherWindowAction(const TopLevelWindow& window, bool minimise);

// The first word is not used.
void ShowLauncherWindow(int unused, bool minimise);

}  // namespace kestrovan
