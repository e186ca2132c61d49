#include "platform/window/MessageTranslator.h"

#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace platform {
namespace {

constexpr uint8_t kRightShiftScanCode = 0x36;

Message Make(WindowId window, uint32_t id, WParam wParam, LParam lParam, uint32_t time) {
    return Message{window, id, wParam, lParam, time};
}

uint8_t ButtonVk(MouseButton button) {
    switch (button) {
        case MouseButton::Right:
            return Vk::RButton;
        case MouseButton::Middle:
            return Vk::MButton;
        case MouseButton::Left:
            break;
    }
    return Vk::LButton;
}

// Down, up and double-click ids of a button, in that order from its down id.
uint32_t ButtonDownId(MouseButton button) {
    switch (button) {
        case MouseButton::Right:
            return Msg::RButtonDown;
        case MouseButton::Middle:
            return Msg::MButtonDown;
        case MouseButton::Left:
            break;
    }
    return Msg::LButtonDown;
}

}  // namespace

MessageTranslator::MessageTranslator(KeyStateTable& keys, ImeContext& ime) : keys_(keys), ime_(ime) {}

void MessageTranslator::SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
}

void MessageTranslator::Translate(const InputEvent& event, const TranslationTargets& targets,
                                  std::vector<Message>& out) {
    const uint32_t t = event.time;
    switch (event.kind) {
        case InputEventKind::KeyDown:
            TranslateKeyDown(event, targets, out);
            break;
        case InputEventKind::KeyUp:
            TranslateKeyUp(event, targets, out);
            break;
        case InputEventKind::Text:
            TranslateText(event, targets, out);
            break;
        case InputEventKind::Composition:
            TranslateComposition(event, targets, out);
            break;
        case InputEventKind::MouseMove:
            cursor_ = PixelPoint{event.x, event.y};
            if (rawMouse_ != nullptr && (event.dx != 0 || event.dy != 0)) {
                rawMouse_->OnRawMotion(event.dx, event.dy, t);
            }
            out.push_back(Make(targets.mouse, Msg::MouseMove, MouseKeyFlags(), MakePointLParam(event.x, event.y), t));
            break;
        case InputEventKind::ButtonDown:
        case InputEventKind::ButtonUp:
            TranslateButton(event, targets, out);
            break;
        case InputEventKind::Wheel:
            TranslateWheel(event, targets, out);
            break;
        case InputEventKind::Moved:
            out.push_back(Make(kMainWindow, Msg::WindowPosChanged, 0, 0, t));
            break;
        case InputEventKind::Resized:
            SetClientSize(event.x, event.y);
            out.push_back(Make(kMainWindow, Msg::Size, SizeKind::Restored, ClientSizeLParam(), t));
            break;
        case InputEventKind::Minimized:
            out.push_back(Make(kMainWindow, Msg::Size, SizeKind::Minimized, 0, t));
            break;
        case InputEventKind::Maximized:
            out.push_back(Make(kMainWindow, Msg::Size, SizeKind::Maximized, ClientSizeLParam(), t));
            break;
        case InputEventKind::Restored:
            out.push_back(Make(kMainWindow, Msg::Size, SizeKind::Restored, ClientSizeLParam(), t));
            break;
        case InputEventKind::FocusGained:
        case InputEventKind::FocusLost:
            TranslateFocus(event.kind == InputEventKind::FocusGained, event, targets, out);
            break;
        case InputEventKind::CloseRequested:
            out.push_back(Make(kMainWindow, Msg::Close, 0, 0, t));
            break;
    }
}

std::optional<Message> MessageTranslator::ControlCharacterFor(const Message& keyDown, const KeyStateTable& keys) {
    if (keyDown.id != Msg::KeyDown && keyDown.id != Msg::SysKeyDown) {
        return std::nullopt;
    }
    const auto vk = static_cast<uint8_t>(keyDown.wParam);
    uint16_t character = 0;
    constexpr uint16_t kLineFeed = 10;
    if (vk == Vk::Return && keys.IsDown(Vk::Control) && !keys.IsDown(Vk::Menu)) {
        character = kLineFeed;
    } else if (vk == Vk::Back || vk == Vk::Tab || vk == Vk::Return || vk == Vk::Escape) {
        character = vk;
    } else if (vk >= Vk::KeyA && vk <= Vk::KeyA + 25 && keys.IsDown(Vk::Control) && !keys.IsDown(Vk::Menu)) {
        character = static_cast<uint16_t>(vk - Vk::KeyA + 1);
    } else {
        return std::nullopt;
    }
    const uint32_t id = keyDown.id == Msg::SysKeyDown ? Msg::SysChar : Msg::Char;
    return Make(keyDown.window, id, character, keyDown.lParam, keyDown.time);
}

void MessageTranslator::TranslateKeyDown(const InputEvent& event, const TranslationTargets& targets,
                                         std::vector<Message>& out) {
    if (event.vk != Vk::Menu) {
        altAlone_ = false;
    } else if (!event.repeat) {
        altAlone_ = true;
    }
    // A repeat goes where the first press went; a press that comes without one (the key went down while another
    // window of the desktop had the keyboard) goes to the keyboard's window.
    const WindowId window = event.repeat ? KeyWindow(event.vk, targets) : targets.keyboard;
    keyWindows_[event.vk] = window;
    keys_.Press(event.vk);
    PressModifier(event);
    const bool alt = keys_.IsDown(Vk::Menu) && !keys_.IsDown(Vk::Control);
    const bool system = alt || event.vk == Vk::F10;
    KeyParams params;
    params.scanCode = event.scanCode;
    params.extended = event.extended;
    params.altDown = alt;
    params.wasDown = event.repeat;
    lastKeyLParam_ = MakeKeyLParam(params);
    pressToType_ = KeyPress{window, lastKeyLParam_, alt, event.vk};
    out.push_back(Make(window, system ? Msg::SysKeyDown : Msg::KeyDown, event.vk, lastKeyLParam_, event.time));
}

void MessageTranslator::TranslateKeyUp(const InputEvent& event, const TranslationTargets& targets,
                                       std::vector<Message>& out) {
    const bool altHeld = keys_.IsDown(Vk::Menu) && !keys_.IsDown(Vk::Control);
    const bool system = event.vk == Vk::Menu ? altAlone_ : (altHeld || event.vk == Vk::F10);
    const WindowId window = KeyWindow(event.vk, targets);
    keyWindows_[event.vk] = kNoWindow;
    if (pressToType_ && pressToType_->vk == event.vk) {
        pressToType_.reset();
    }
    keys_.Release(event.vk);
    ReleaseModifier(event);
    altAlone_ = false;
    KeyParams params;
    params.scanCode = event.scanCode;
    params.extended = event.extended;
    params.altDown = keys_.IsDown(Vk::Menu) && !keys_.IsDown(Vk::Control);
    params.wasDown = true;
    params.released = true;
    out.push_back(Make(window, system ? Msg::SysKeyUp : Msg::KeyUp, event.vk, MakeKeyLParam(params), event.time));
}

// Text that no key press waits for goes to the keyboard's window, typed with Alt as the keys are now.
MessageTranslator::KeyPress MessageTranslator::UntypedText(const TranslationTargets& targets) const {
    const bool alt = keys_.IsDown(Vk::Menu) && !keys_.IsDown(Vk::Control);
    KeyParams params = ReadKeyLParam(lastKeyLParam_);
    params.altDown = alt;
    return KeyPress{targets.keyboard, MakeKeyLParam(params), alt};
}

WindowId MessageTranslator::KeyWindow(uint8_t vk, const TranslationTargets& targets) const {
    return keyWindows_[vk] != kNoWindow ? keyWindows_[vk] : targets.keyboard;
}

void MessageTranslator::TranslateText(const InputEvent& event, const TranslationTargets& targets,
                                      std::vector<Message>& out) {
    if (ime_.Composing()) {
        // The composition is committed: the result goes out as the input method's, and the handler's
        // default turns it into characters.
        ime_.Commit(event.text);
        const WParam first = event.text.empty() ? 0 : event.text.front();
        out.push_back(Make(targets.keyboard, Msg::ImeComposition, first, Ime::ResultString, event.time));
        ime_.EndComposition();
        out.push_back(Make(targets.keyboard, Msg::ImeEndComposition, 0, 0, event.time));
        return;
    }
    const KeyPress press = pressToType_.value_or(UntypedText(targets));
    pressToType_.reset();
    const uint32_t id = press.alt ? Msg::SysChar : Msg::Char;
    for (const char16_t unit : event.text) {
        out.push_back(Make(press.window, id, unit, press.lParam, event.time));
    }
}

void MessageTranslator::TranslateComposition(const InputEvent& event, const TranslationTargets& targets,
                                             std::vector<Message>& out) {
    if (!event.text.empty() && !ime_.NativeConversion()) {
        // Native characters are being composed, so the user switched the input method to native mode.
        ime_.SetConversionStatus(ime_.ConversionStatus() | Ime::ConversionNative);
        out.push_back(Make(targets.keyboard, Msg::ImeNotify, Ime::NotifySetConversionMode, 0, event.time));
    }
    if (event.text.empty()) {
        if (!ime_.Composing()) {
            return;
        }
        ime_.SetComposition(event.text);
        out.push_back(Make(targets.keyboard, Msg::ImeComposition, 0, Ime::CompositionString, event.time));
        ime_.EndComposition();
        out.push_back(Make(targets.keyboard, Msg::ImeEndComposition, 0, 0, event.time));
        return;
    }
    if (!ime_.Composing()) {
        out.push_back(Make(targets.keyboard, Msg::ImeStartComposition, 0, 0, event.time));
    }
    ime_.SetComposition(event.text);
    out.push_back(Make(targets.keyboard, Msg::ImeComposition, event.text.back(),
                       Ime::CompositionString | Ime::CursorPosition, event.time));
}

void MessageTranslator::TranslateButton(const InputEvent& event, const TranslationTargets& targets,
                                        std::vector<Message>& out) {
    cursor_ = PixelPoint{event.x, event.y};
    const uint8_t vk = ButtonVk(event.button);
    const uint32_t downId = ButtonDownId(event.button);
    uint32_t id = downId + 1;  // up
    if (event.kind == InputEventKind::ButtonDown) {
        keys_.Press(vk);
        const bool doubleClick = targets.doubleClicks && event.clicks >= 2 && event.clicks % 2 == 0;
        id = doubleClick ? downId + 2 : downId;
    } else {
        keys_.Release(vk);
    }
    out.push_back(Make(targets.mouse, id, MouseKeyFlags(), MakePointLParam(event.x, event.y), event.time));
}

void MessageTranslator::TranslateWheel(const InputEvent& event, const TranslationTargets& targets,
                                       std::vector<Message>& out) {
    if (event.wheelDelta == 0) {
        return;
    }
    if (rawMouse_ != nullptr) {
        rawMouse_->OnRawWheel(event.wheelDelta, event.time);
    }
    const LParam screen = MakePointLParam(event.x + targets.clientOrigin.x, event.y + targets.clientOrigin.y);
    out.push_back(Make(targets.keyboard, Msg::MouseWheel, MakeWheelWParam(MouseKeyFlags(), event.wheelDelta), screen,
                       event.time));
}

void MessageTranslator::TranslateFocus(bool gained, const InputEvent& event, const TranslationTargets& targets,
                                       std::vector<Message>& out) {
    const uint32_t t = event.time;
    if (gained) {
        out.push_back(Make(kMainWindow, Msg::ActivateApp, 1, 0, t));
        out.push_back(Make(kMainWindow, Msg::Activate, ActivateKind::Active, 0, t));
        out.push_back(Make(targets.keyboard, Msg::SetFocus, 0, 0, t));
    } else {
        keys_.ReleaseAll();
        keyWindows_.fill(kNoWindow);
        pressToType_.reset();
        altAlone_ = false;
        out.push_back(Make(kMainWindow, Msg::Activate, ActivateKind::Inactive, 0, t));
        out.push_back(Make(kMainWindow, Msg::ActivateApp, 0, 0, t));
        out.push_back(Make(targets.keyboard, Msg::KillFocus, 0, 0, t));
    }
    if (rawMouse_ != nullptr) {
        rawMouse_->OnForegroundChanged(gained);
    }
}

// The generic Shift, Ctrl and Alt keys come with their side: Shift by its scan code, Ctrl and Alt by the
// extended bit of the right-hand key.
void MessageTranslator::PressModifier(const InputEvent& event) {
    if (event.vk == Vk::Shift) {
        keys_.Press(event.scanCode == kRightShiftScanCode ? Vk::RShift : Vk::LShift);
    } else if (event.vk == Vk::Control) {
        keys_.Press(event.extended ? Vk::RControl : Vk::LControl);
    } else if (event.vk == Vk::Menu) {
        keys_.Press(event.extended ? Vk::RMenu : Vk::LMenu);
    }
}

void MessageTranslator::ReleaseModifier(const InputEvent& event) {
    if (event.vk == Vk::Shift) {
        keys_.Release(event.scanCode == kRightShiftScanCode ? Vk::RShift : Vk::LShift);
    } else if (event.vk == Vk::Control) {
        keys_.Release(event.extended ? Vk::RControl : Vk::LControl);
    } else if (event.vk == Vk::Menu) {
        keys_.Release(event.extended ? Vk::RMenu : Vk::LMenu);
    }
}

uint32_t MessageTranslator::MouseKeyFlags() const {
    uint32_t flags = 0;
    flags |= keys_.IsDown(Vk::LButton) ? MouseKey::LButton : 0;
    flags |= keys_.IsDown(Vk::RButton) ? MouseKey::RButton : 0;
    flags |= keys_.IsDown(Vk::Shift) ? MouseKey::Shift : 0;
    flags |= keys_.IsDown(Vk::Control) ? MouseKey::Control : 0;
    flags |= keys_.IsDown(Vk::MButton) ? MouseKey::MButton : 0;
    return flags;
}

LParam MessageTranslator::ClientSizeLParam() const { return MakePointLParam(clientWidth_, clientHeight_); }

}  // namespace platform
