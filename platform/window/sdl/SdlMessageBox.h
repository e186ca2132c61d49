#pragma once
// Message boxes on the desktop through SDL: the program installs it (SetMessageBoxBackend) once it has a
// window, so its error and notice boxes show as real dialogs. Any thread.
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
