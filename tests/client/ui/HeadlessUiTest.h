#pragma once
// A scene root in the headless main window: mouse messages reach the root through the window's procedure,
// keys go to the edit bridge's hidden edit while a box is bound and to the root otherwise. Tests script
// input events and each is pumped at once, as the program's message loop does.
#include <string>

#include "TestEditBridge.h"
#include "UiTestSupport.h"
#include "platform/window/InputEvent.h"
#include "platform/window/headless/HeadlessWindowBackend.h"

namespace kestrovan::test {

class HeadlessUiTest : public UiTest {
protected:
    HeadlessUiTest();

    static platform::InputEvent Pointer(platform::InputEventKind kind, int x, int y);
    static platform::InputEvent Keyboard(platform::InputEventKind kind, uint8_t vk);
    static platform::InputEvent Text(platform::InputEventKind kind, std::u16string text);

    // Scripts the event and dispatches every message it makes.
    void Feed(platform::InputEvent event);
    void Type(std::u16string text);
    void Compose(std::u16string text);
    void Press(uint8_t vk);
    void ClickAt(int x, int y);

    platform::HeadlessWindowBackend* backend = new platform::HeadlessWindowBackend;
    platform::Window window{std::unique_ptr<platform::WindowBackend>(backend)};
    TestEditBridge bridge{window};
    EventLog root;
};

}  // namespace kestrovan::test
