#pragma once
// What a window backend reports: one input or window-state event in terms that no longer depend on the
// backend. The window layer turns each into the messages Windows would have sent (MessageTranslator).
// Positions are client pixels unless said otherwise; times are the backend's milliseconds.
#include <cstdint>

#include "platform/system/WString.h"

namespace platform {

enum class InputEventKind : uint8_t {
    KeyDown,          // vk, scanCode, extended, repeat
    KeyUp,            // vk, scanCode, extended
    Text,             // text: committed characters (typed, or the end of a composition)
    Composition,      // text: the input method's composition so far, empty when it was cancelled
    MouseMove,        // x, y; dx, dy: the device's own motion
    ButtonDown,       // button, x, y, clicks (2 for the second press of a double click)
    ButtonUp,         // button, x, y
    Wheel,            // wheelDelta in 1/120 notches, x, y: the cursor's client position
    Moved,            // x, y: the window's new top-left on the screen
    Resized,          // x, y: the client area's new width and height
    Minimized,
    Maximized,
    Restored,
    FocusGained,
    FocusLost,
    CloseRequested,
};

enum class MouseButton : uint8_t { Left, Right, Middle };

struct InputEvent {
    InputEventKind kind = InputEventKind::MouseMove;
    uint32_t time = 0;
    uint8_t vk = 0;
    uint8_t scanCode = 0;
    bool extended = false;
    bool repeat = false;
    MouseButton button = MouseButton::Left;
    uint8_t clicks = 1;
    int x = 0;
    int y = 0;
    int dx = 0;
    int dy = 0;
    int wheelDelta = 0;
    WString text;
};

}  // namespace platform
