#include "AppTestWindow.h"

#include <gtest/gtest.h>

namespace kestrovan::test {

AppTestWindow::AppTestWindow(platform::PixelRect rect) {
    auto owned = std::make_unique<platform::HeadlessWindowBackend>();
    backend = owned.get();
    window = std::make_unique<platform::Window>(std::move(owned));
    platform::WindowDesc desc;
    desc.rect = rect;
    EXPECT_TRUE(window->Create(desc));
}

void AppTestWindow::Feed(const platform::InputEvent& event) {
    backend->Script(event);
    Pump();
}

void AppTestWindow::Pump() {
    platform::Message m;
    while (window->PeekMessage(m)) {
        window->TranslateMessage(m);
        window->DispatchMessage(m);
    }
}

platform::LResult AppTestWindow::Send(uint32_t id, platform::WParam wParam, platform::LParam lParam) {
    return window->SendMessage(platform::kMainWindow, id, wParam, lParam);
}

platform::InputEvent KeyEvent(bool down, uint8_t vk, uint8_t scanCode) {
    platform::InputEvent event;
    event.kind = down ? platform::InputEventKind::KeyDown : platform::InputEventKind::KeyUp;
    event.vk = vk;
    event.scanCode = scanCode;
    return event;
}

platform::InputEvent TextEvent(platform::WStringView text, bool composition) {
    platform::InputEvent event;
    event.kind = composition ? platform::InputEventKind::Composition : platform::InputEventKind::Text;
    event.text = platform::WString(text);
    return event;
}

}  // namespace kestrovan::test
