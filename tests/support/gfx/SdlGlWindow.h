#pragma once
// A plain SDL window with an OpenGL 2.1 context for the OpenGL tests and benchmarks (the program's own window
// comes from the window layer). Uses the X11 video driver; ./test.sh starts Xvfb for it.
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/gfx/gl/GlSystem.h"

namespace kvtest {

class SdlGlWindow {
public:
    SdlGlWindow(int width, int height) {
        setenv("SDL_VIDEODRIVER", "x11", 0);
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            error_ = SDL_GetError();
            return;
        }
        SDL_GL_LoadLibrary(nullptr);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        window_ = SDL_CreateWindow("Kestrovan test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                   SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        if (window_ == nullptr) error_ = SDL_GetError();
    }
    // SDL stays up until the process ends: shutting it down unloads the GL driver, whose lasting allocations
    // would then show as leaks of an unknown module.
    ~SdlGlWindow() {
        if (window_ != nullptr) SDL_DestroyWindow(window_);
    }
    SdlGlWindow(const SdlGlWindow&) = delete;
    SdlGlWindow& operator=(const SdlGlWindow&) = delete;

    bool IsOpen() const { return window_ != nullptr; }
    const std::string& Error() const { return error_; }
    std::unique_ptr<platform::gfx::GlSystem> CreateSystem() { return platform::gfx::GlSystem::Create({window_}); }
    // Handles pending window events, as a program's loop would.
    void Pump() {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
        }
    }

private:
    SDL_Window* window_ = nullptr;
    std::string error_;
};

}  // namespace kvtest
