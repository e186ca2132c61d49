#pragma once
// A headless main window fed with SDL events that the tests build, as the SDL backend would hand them on.
#include <SDL_events.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/window/Window.h"
#include "platform/window/headless/HeadlessWindowBackend.h"
#include "platform/window/sdl/SdlEventConverter.h"

namespace platform::test {

SDL_Event SdlKey(bool down, SDL_Scancode scancode, SDL_Keycode sym, bool repeat = false);
SDL_Event SdlText(const std::string& utf8);
SDL_Event SdlEditing(const std::string& utf8);
SDL_Event SdlButton(bool down, uint8_t button, int x, int y, uint8_t clicks = 1);
SDL_Event SdlMotion(int x, int y, int dx, int dy);
SDL_Event SdlWheel(float notches, int x, int y);
SDL_Event SdlWindowEvent(SDL_WindowEventID id, int data1 = 0, int data2 = 0);

class HeadlessWindowTest {
public:
    explicit HeadlessWindowTest(PixelRect rect = PixelRect{100, 50, 1124, 818}, bool doubleClicks = false);

    // Converts the event as the SDL backend does and scripts it.
    void Feed(const SDL_Event& event);
    // What the backend found the right Alt key to be at its last press.
    void SetRightAltIsAltGr(bool altGr) { converter_.SetRightAltIsAltGr(altGr); }
    // Every message the window has now, taken in order without dispatching.
    std::vector<Message> Drain();
    // Takes and dispatches every message, each after Windows' TranslateMessage.
    void Pump();

    HeadlessWindowBackend& backend;
    Window window;

private:
    HeadlessWindowTest(std::unique_ptr<HeadlessWindowBackend> owned, PixelRect rect, bool doubleClicks);

    SdlEventConverter converter_;
};

}  // namespace platform::test
