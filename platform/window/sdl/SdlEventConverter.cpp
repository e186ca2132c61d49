#include "platform/window/sdl/SdlEventConverter.h"

#include <cmath>
#include <utility>

#include "platform/system/CodePage.h"
#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKey.h"
#include "platform/window/sdl/SdlKeyMap.h"

namespace platform {
namespace {

// The left Ctrl that comes with each press, repeat and release of AltGr, ahead of the right Alt's.
InputEvent AltGrControl(const InputEvent& rightAlt) {
    InputEvent control = rightAlt;
    control.vk = Vk::Control;
    const PcScanCode scan = PcScanCodeFor(SDL_SCANCODE_LCTRL);
    control.scanCode = scan.code;
    control.extended = scan.extended;
    return control;
}

}  // namespace

void SdlEventConverter::Convert(const SDL_Event& event, std::vector<InputEvent>& out) const {
    InputEvent converted;
    if (!ConvertOne(event, converted)) {
        return;
    }
    const bool key = event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
    if (key && event.key.keysym.scancode == SDL_SCANCODE_RALT && rightAltIsAltGr_) {
        out.push_back(AltGrControl(converted));
    }
    out.push_back(std::move(converted));
}

bool SdlEventConverter::ConvertOne(const SDL_Event& event, InputEvent& out) const {
    out = InputEvent{};
    out.time = event.common.timestamp;
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return ConvertKey(event.key, out);
        case SDL_TEXTINPUT:
            out.kind = InputEventKind::Text;
            out.text = Utf8ToUtf16(event.text.text);
            return ForThisWindow(event.text.windowID) && !out.text.empty();
        case SDL_TEXTEDITING:
            out.kind = InputEventKind::Composition;
            out.text = Utf8ToUtf16(event.edit.text);
            return ForThisWindow(event.edit.windowID);
        case SDL_MOUSEMOTION:
            out.kind = InputEventKind::MouseMove;
            out.x = event.motion.x;
            out.y = event.motion.y;
            out.dx = event.motion.xrel;
            out.dy = event.motion.yrel;
            return ForThisWindow(event.motion.windowID);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return ConvertButton(event.button, out);
        case SDL_MOUSEWHEEL:
            out.kind = InputEventKind::Wheel;
            out.wheelDelta = WheelDelta(event.wheel);
            out.x = event.wheel.mouseX;
            out.y = event.wheel.mouseY;
            return ForThisWindow(event.wheel.windowID) && out.wheelDelta != 0;
        case SDL_WINDOWEVENT:
            return ConvertWindowEvent(event.window, out);
        case SDL_QUIT:
            out.kind = InputEventKind::CloseRequested;
            return true;
        default:
            return false;
    }
}

bool SdlEventConverter::ConvertKey(const SDL_KeyboardEvent& key, InputEvent& out) const {
    out.kind = key.type == SDL_KEYDOWN ? InputEventKind::KeyDown : InputEventKind::KeyUp;
    out.vk = VirtualKeyFor(key.keysym);
    const PcScanCode scan = PcScanCodeFor(key.keysym.scancode);
    out.scanCode = scan.code;
    out.extended = scan.extended;
    out.repeat = key.repeat != 0;
    return ForThisWindow(key.windowID) && out.vk != 0;
}

bool SdlEventConverter::ConvertWindowEvent(const SDL_WindowEvent& window, InputEvent& out) const {
    switch (window.event) {
        case SDL_WINDOWEVENT_MOVED:
            out.kind = InputEventKind::Moved;
            out.x = window.data1;
            out.y = window.data2;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out.kind = InputEventKind::Resized;
            out.x = window.data1;
            out.y = window.data2;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            out.kind = InputEventKind::Minimized;
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            out.kind = InputEventKind::Maximized;
            break;
        case SDL_WINDOWEVENT_RESTORED:
            out.kind = InputEventKind::Restored;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.kind = InputEventKind::FocusGained;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = InputEventKind::FocusLost;
            break;
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = InputEventKind::CloseRequested;
            break;
        default:
            return false;
    }
    return ForThisWindow(window.windowID);
}

bool SdlEventConverter::ConvertButton(const SDL_MouseButtonEvent& button, InputEvent& out) const {
    out.kind = button.type == SDL_MOUSEBUTTONDOWN ? InputEventKind::ButtonDown : InputEventKind::ButtonUp;
    switch (button.button) {
        case SDL_BUTTON_LEFT:
            out.button = MouseButton::Left;
            break;
        case SDL_BUTTON_RIGHT:
            out.button = MouseButton::Right;
            break;
        case SDL_BUTTON_MIDDLE:
            out.button = MouseButton::Middle;
            break;
        default:
            return false;
    }
    out.clicks = button.clicks;
    out.x = button.x;
    out.y = button.y;
    return ForThisWindow(button.windowID);
}

// SDL counts notches (fractions of one on smooth wheels and touch pads); the program counts 120 per notch,
// positive away from the user.
int SdlEventConverter::WheelDelta(const SDL_MouseWheelEvent& wheel) {
    float notches = wheel.preciseY != 0.0f ? wheel.preciseY : static_cast<float>(wheel.y);
    if (wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
        notches = -notches;
    }
    return static_cast<int>(std::lround(notches * static_cast<float>(kWheelDelta)));
}

}  // namespace platform
