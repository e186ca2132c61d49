#pragma once
// The window an OpenGL device draws into: the SDL window the window layer made with SDL_WINDOW_OPENGL.
// A typed handle, so that nothing else is mistaken for it.
struct SDL_Window;

namespace platform::gfx {

struct GlWindow {
    SDL_Window* window = nullptr;
};

}  // namespace platform::gfx
