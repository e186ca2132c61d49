#pragma once
// Turns SDL's events into the window layer's input events. Pure: it needs no display, so tests feed it
// events they build themselves.
#include <SDL_events.h>

#include <cstdint>

#include "platform/window/InputEvent.h"

namespace platform {

class SdlEventConverter {
public:
    // Only events of this SDL window are taken (0: of any window).
    explicit SdlEventConverter(uint32_t sdlWindowId = 0) : windowId_(sdlWindowId) {}
    void SetWindowId(uint32_t sdlWindowId) { windowId_ = sdlWindowId; }

    // False for an event that means nothing to the window (another window's, an unknown key, ...).
    bool Convert(const SDL_Event& event, InputEvent& out) const;

private:
    bool ForThisWindow(uint32_t sdlWindowId) const { return windowId_ == 0 || sdlWindowId == windowId_; }
    bool ConvertKey(const SDL_KeyboardEvent& key, InputEvent& out) const;
    bool ConvertWindowEvent(const SDL_WindowEvent& window, InputEvent& out) const;
    bool ConvertButton(const SDL_MouseButtonEvent& button, InputEvent& out) const;
    static int WheelDelta(const SDL_MouseWheelEvent& wheel);

    uint32_t windowId_;
};

}  // namespace platform
