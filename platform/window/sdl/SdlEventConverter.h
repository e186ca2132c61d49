#pragma once
// Turns SDL's events into the window layer's input events. Pure: it needs no display, so tests feed it
// events they build themselves.
#include <SDL_events.h>

#include <cstdint>
#include <vector>

#include "platform/window/InputEvent.h"

namespace platform {

class SdlEventConverter {
public:
    // Only events of this SDL window are taken (0: of any window).
    explicit SdlEventConverter(uint32_t sdlWindowId = 0) : windowId_(sdlWindowId) {}
    void SetWindowId(uint32_t sdlWindowId) { windowId_ = sdlWindowId; }
    // Whether the right Alt key is AltGr on the keyboard layout. SDL names it the right Alt either way; the
    // backend asks the window system at each press of the key (the layout may change while the program runs),
    // and the key's repeats and release keep what its press was.
    void SetRightAltIsAltGr(bool altGr) { rightAltIsAltGr_ = altGr; }

    // Appends the window layer's events for event to out: none for an event that means nothing to the window
    // (another window's, an unknown key, ...). AltGr's presses and releases come as Windows reports them, each
    // as the left Ctrl's and then the right Alt's, so that its characters are typed with Ctrl+Alt: ordinary
    // characters, not the system characters of Alt.
    void Convert(const SDL_Event& event, std::vector<InputEvent>& out) const;

private:
    // False for an event that means nothing to the window.
    bool ConvertOne(const SDL_Event& event, InputEvent& out) const;
    bool ForThisWindow(uint32_t sdlWindowId) const { return windowId_ == 0 || sdlWindowId == windowId_; }
    bool ConvertKey(const SDL_KeyboardEvent& key, InputEvent& out) const;
    bool ConvertWindowEvent(const SDL_WindowEvent& window, InputEvent& out) const;
    bool ConvertButton(const SDL_MouseButtonEvent& button, InputEvent& out) const;
    static int WheelDelta(const SDL_MouseWheelEvent& wheel);

    uint32_t windowId_;
    bool rightAltIsAltGr_ = false;
};

}  // namespace platform
