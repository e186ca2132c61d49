#pragma once
// Opens the main window titled "Kestrovan" at the App's window rectangle with the program's icon, loads the
// accelerator table, sets up the keyboard guard and shows the window, logging each step to the start log.
// A window that cannot be opened is reported in a message box with its code; the App's start-up goes on.
// Main thread.
#include "client/app/SystemKeyGuard.h"
#include "platform/window/AcceleratorTable.h"
#include "platform/window/PixelRect.h"
#include "platform/window/Window.h"

namespace kestrovan {

inline constexpr const char16_t* kMainWindowTitle = u"Kestrovan";

bool InitMainWindow(platform::Window& window, const platform::PixelRect& rect, bool fullScreen,
                    SystemKeyGuard& keyGuard, platform::AcceleratorTable& accelerators);

}  // namespace kestrovan
