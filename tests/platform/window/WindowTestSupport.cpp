#include "WindowTestSupport.h"

#include <cstring>

#include <gtest/gtest.h>

namespace platform::test {
SDL_Event SdlKey(bool down, SDL_Scancode scancode, SDL_Keycode sym, bool repeat) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = sym;
    return event;
}

SDL_Event SdlText(const std::string& utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8.c_str(), sizeof(event.text.text) - 1);
    return event;
}

SDL_Event SdlEditing(const std::string& utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTEDITING;
    std::strncpy(event.edit.text, utf8.c_str(), sizeof(event.edit.text) - 1);
    return event;
}

SDL_Event SdlButton(bool down, uint8_t button, int x, int y, uint8_t clicks) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event SdlMotion(int x, int y, int dx, int dy) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    return event;
}

SDL_Event SdlWheel(float notches, int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.preciseY = notches;
    event.wheel.y = static_cast<Sint32>(notches);
    event.wheel.mouseX = x;
    event.wheel.mouseY = y;
    return event;
}

SDL_Event SdlWindowEvent(SDL_WindowEventID id, int data1, int data2) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

HeadlessWindowTest::HeadlessWindowTest(PixelRect rect, bool doubleClicks)
    : HeadlessWindowTest(std::make_unique<HeadlessWindowBackend>(), rect, doubleClicks) {}

HeadlessWindowTest::HeadlessWindowTest(std::unique_ptr<HeadlessWindowBackend> owned, PixelRect rect,
                                       bool doubleClicks)
    : backend(*owned), window(std::move(owned)) {
    WindowDesc desc;
    desc.title = u"Kestrovan";
    desc.rect = rect;
    desc.doubleClicks = doubleClicks;
    EXPECT_TRUE(window.Create(desc));
}

void HeadlessWindowTest::Feed(const SDL_Event& event) {
    std::vector<InputEvent> inputs;
    converter_.Convert(event, inputs);
    for (const InputEvent& input : inputs) backend.Script(input);
}

std::vector<Message> HeadlessWindowTest::Drain() {
    std::vector<Message> messages;
    Message message;
    while (window.PeekMessage(message)) {
        messages.push_back(message);
    }
    return messages;
}

void HeadlessWindowTest::Pump() {
    Message message;
    while (window.PeekMessage(message)) {
        window.TranslateMessage(message);
        window.DispatchMessage(message);
    }
}

}  // namespace platform::test
