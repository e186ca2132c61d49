#pragma once
// Message boxes on the desktop through SDL: the program installs it (SetMessageBoxBackend) once it has a
// window, so its error and notice boxes show as real dialogs; with no display named there is no desktop, and
// a box answers at once as one closed. Any thread.
//
// A box over the program's window, asked for on the window's thread, does not stop the program from ending:
// while it waits, the window's events go on being read, and a quit asked meanwhile (the window closed, a
// SIGTERM) takes the box away at once and answers as a box closed without a choice. The quit stays queued
// for the program's loop.
#include <SDL_video.h>

#include "platform/ui/MessageBoxBackend.h"

namespace platform {

class SdlMessageBox : public MessageBoxBackend {
public:
    // Boxes belong to this window (may be null).
    explicit SdlMessageBox(SDL_Window* parent = nullptr) : parent_(parent) {}

    int Show(const MessageBoxRequest& request) override;

private:
    SDL_Window* parent_;
};

}  // namespace platform
