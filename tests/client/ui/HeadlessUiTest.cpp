#include "HeadlessUiTest.h"

#include <utility>

namespace kestrovan::test {

namespace Msg = platform::Msg;
using platform::InputEvent;
using platform::InputEventKind;

HeadlessUiTest::HeadlessUiTest() {
    platform::WindowDesc desc;
    desc.title = u"Kestrovan";
    desc.rect = platform::PixelRect{0, 0, 1024, 768};
    window.Create(desc);
    window.SetProcedure(platform::kMainWindow, [this](const platform::Message& m) {
        const bool input =
            (m.id >= Msg::KeyDown && m.id <= Msg::Char) || (m.id >= Msg::MouseMove && m.id <= Msg::MouseWheel);
        return input ? static_cast<platform::LResult>(root.RouteMessage(m.id, m.wParam, m.lParam)) : 0;
    });
    services.bridge = &bridge;
    services.keyWindow = &window;
    root.Create(0, 0, 1024, 768, -1, -1);
}

InputEvent HeadlessUiTest::Pointer(InputEventKind kind, int x, int y) {
    InputEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    return event;
}

InputEvent HeadlessUiTest::Keyboard(InputEventKind kind, uint8_t vk) {
    InputEvent event;
    event.kind = kind;
    event.vk = vk;
    return event;
}

InputEvent HeadlessUiTest::Text(InputEventKind kind, std::u16string text) {
    InputEvent event;
    event.kind = kind;
    event.text = std::move(text);
    return event;
}

void HeadlessUiTest::Feed(InputEvent event) {
    backend->Script(std::move(event));
    platform::Message message;
    while (window.PeekMessage(message)) {
        window.TranslateMessage(message);
        window.DispatchMessage(message);
    }
}

void HeadlessUiTest::Type(std::u16string text) { Feed(Text(InputEventKind::Text, std::move(text))); }

void HeadlessUiTest::Compose(std::u16string text) { Feed(Text(InputEventKind::Composition, std::move(text))); }

void HeadlessUiTest::Press(uint8_t vk) {
    Feed(Keyboard(InputEventKind::KeyDown, vk));
    Feed(Keyboard(InputEventKind::KeyUp, vk));
}

void HeadlessUiTest::ClickAt(int x, int y) {
    Feed(Pointer(InputEventKind::MouseMove, x, y));
    Feed(Pointer(InputEventKind::ButtonDown, x, y));
    Feed(Pointer(InputEventKind::ButtonUp, x, y));
}

}  // namespace kestrovan::test
