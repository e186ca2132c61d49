#pragma once
// For the graphics backend only: the SDL window under the program's main window, in which it creates its
// OpenGL context. Null when the window runs on another backend or is not created.
#include <SDL_video.h>

#include "platform/window/Window.h"
#include "platform/window/sdl/SdlWindowBackend.h"

namespace platform {

inline SDL_Window* SdlWindowOf(Window& window) {
    auto* backend = dynamic_cast<SdlWindowBackend*>(&window.Backend());
    return backend != nullptr ? backend->SdlHandle() : nullptr;
}

}  // namespace platform
