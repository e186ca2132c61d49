#pragma once
// What the program asks of the shared settings dialog from outside the screens' player module: the screens
// open it (F3 and their settings buttons), and Alt+Enter tells it the new full-screen state, which it keeps
// in its working copy and in the application's settings for the display change that follows. The player
// module's SettingsDialog implements it.
//
// Threads: see the table in client/app/Scene.h.
#include <cstdint>

namespace kestrovan {

class Widget;

class SettingsPopup {
public:
    virtual ~SettingsPopup() = default;

    // The textures and fonts of the dialog (main thread, once the packs are there).
    virtual void LoadWindowGraphics(uint32_t arg) = 0;
    // Attached to the screen, filled from the application's settings, centred and shown.
    virtual void Open(Widget& screen) = 0;
    // Alt+Enter flipped the display: the full-screen box, the working copy and the application's settings
    // follow, whether the dialog is open or not.
    virtual void SetFullScreen(bool fullScreen) = 0;
};

}  // namespace kestrovan
