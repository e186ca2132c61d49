#pragma once
// A created headless main window for the application's tests, with the helpers they share.
#include <memory>

#include "platform/window/Window.h"
#include "platform/window/headless/HeadlessWindowBackend.h"

namespace kestrovan::test {

class AppTestWindow {
public:
    explicit AppTestWindow(platform::PixelRect rect = platform::PixelRect{200, 100, 1224, 868});

    // Scripts an event and handles every message the window then has, as the main loop does.
    void Feed(const platform::InputEvent& event);
    void Pump();
    platform::LResult Send(uint32_t id, platform::WParam wParam = 0, platform::LParam lParam = 0);

    platform::HeadlessWindowBackend* backend = nullptr;
    std::unique_ptr<platform::Window> window;
};

platform::InputEvent KeyEvent(bool down, uint8_t vk, uint8_t scanCode = 0);
platform::InputEvent TextEvent(platform::WStringView text, bool composition = false);

}  // namespace kestrovan::test
