#include "platform/window/sdl/SdlKeyMap.h"

#include <array>

#include "platform/window/VirtualKey.h"

namespace platform {
namespace {

struct KeyRow {
    SDL_Scancode scancode;
    uint8_t vk;
    uint8_t scan;
    bool extended;
};

// Keys other than letters and digits.
constexpr std::array kKeys{
    KeyRow{SDL_SCANCODE_RETURN, Vk::Return, 0x1C, false},
    KeyRow{SDL_SCANCODE_ESCAPE, Vk::Escape, 0x01, false},
    KeyRow{SDL_SCANCODE_BACKSPACE, Vk::Back, 0x0E, false},
    KeyRow{SDL_SCANCODE_TAB, Vk::Tab, 0x0F, false},
    KeyRow{SDL_SCANCODE_SPACE, Vk::Space, 0x39, false},
    KeyRow{SDL_SCANCODE_MINUS, Vk::OemMinus, 0x0C, false},
    KeyRow{SDL_SCANCODE_EQUALS, Vk::OemPlus, 0x0D, false},
    KeyRow{SDL_SCANCODE_LEFTBRACKET, Vk::Oem4, 0x1A, false},
    KeyRow{SDL_SCANCODE_RIGHTBRACKET, Vk::Oem6, 0x1B, false},
    KeyRow{SDL_SCANCODE_BACKSLASH, Vk::Oem5, 0x2B, false},
    KeyRow{SDL_SCANCODE_SEMICOLON, Vk::Oem1, 0x27, false},
    KeyRow{SDL_SCANCODE_APOSTROPHE, Vk::Oem7, 0x28, false},
    KeyRow{SDL_SCANCODE_GRAVE, Vk::Oem3, 0x29, false},
    KeyRow{SDL_SCANCODE_COMMA, Vk::OemComma, 0x33, false},
    KeyRow{SDL_SCANCODE_PERIOD, Vk::OemPeriod, 0x34, false},
    KeyRow{SDL_SCANCODE_SLASH, Vk::Oem2, 0x35, false},
    KeyRow{SDL_SCANCODE_CAPSLOCK, Vk::Capital, 0x3A, false},
    KeyRow{SDL_SCANCODE_F1, Vk::F1, 0x3B, false},
    KeyRow{SDL_SCANCODE_F2, Vk::F2, 0x3C, false},
    KeyRow{SDL_SCANCODE_F3, Vk::F3, 0x3D, false},
    KeyRow{SDL_SCANCODE_F4, Vk::F4, 0x3E, false},
    KeyRow{SDL_SCANCODE_F5, Vk::F5, 0x3F, false},
    KeyRow{SDL_SCANCODE_F6, Vk::F6, 0x40, false},
    KeyRow{SDL_SCANCODE_F7, Vk::F7, 0x41, false},
    KeyRow{SDL_SCANCODE_F8, Vk::F8, 0x42, false},
    KeyRow{SDL_SCANCODE_F9, Vk::F9, 0x43, false},
    KeyRow{SDL_SCANCODE_F10, Vk::F10, 0x44, false},
    KeyRow{SDL_SCANCODE_F11, Vk::F11, 0x57, false},
    KeyRow{SDL_SCANCODE_F12, Vk::F12, 0x58, false},
    KeyRow{SDL_SCANCODE_PRINTSCREEN, Vk::Snapshot, 0x37, true},
    KeyRow{SDL_SCANCODE_SCROLLLOCK, Vk::Scroll, 0x46, false},
    KeyRow{SDL_SCANCODE_PAUSE, Vk::Pause, 0x45, false},
    KeyRow{SDL_SCANCODE_INSERT, Vk::Insert, 0x52, true},
    KeyRow{SDL_SCANCODE_HOME, Vk::Home, 0x47, true},
    KeyRow{SDL_SCANCODE_PAGEUP, Vk::Prior, 0x49, true},
    KeyRow{SDL_SCANCODE_DELETE, Vk::Delete, 0x53, true},
    KeyRow{SDL_SCANCODE_END, Vk::End, 0x4F, true},
    KeyRow{SDL_SCANCODE_PAGEDOWN, Vk::Next, 0x51, true},
    KeyRow{SDL_SCANCODE_RIGHT, Vk::Right, 0x4D, true},
    KeyRow{SDL_SCANCODE_LEFT, Vk::Left, 0x4B, true},
    KeyRow{SDL_SCANCODE_DOWN, Vk::Down, 0x50, true},
    KeyRow{SDL_SCANCODE_UP, Vk::Up, 0x48, true},
    KeyRow{SDL_SCANCODE_NUMLOCKCLEAR, Vk::NumLock, 0x45, true},
    KeyRow{SDL_SCANCODE_KP_DIVIDE, Vk::Divide, 0x35, true},
    KeyRow{SDL_SCANCODE_KP_MULTIPLY, Vk::Multiply, 0x37, false},
    KeyRow{SDL_SCANCODE_KP_MINUS, Vk::Subtract, 0x4A, false},
    KeyRow{SDL_SCANCODE_KP_PLUS, Vk::Add, 0x4E, false},
    KeyRow{SDL_SCANCODE_KP_ENTER, Vk::Return, 0x1C, true},
    KeyRow{SDL_SCANCODE_KP_1, Vk::Numpad0 + 1, 0x4F, false},
    KeyRow{SDL_SCANCODE_KP_2, Vk::Numpad0 + 2, 0x50, false},
    KeyRow{SDL_SCANCODE_KP_3, Vk::Numpad0 + 3, 0x51, false},
    KeyRow{SDL_SCANCODE_KP_4, Vk::Numpad0 + 4, 0x4B, false},
    KeyRow{SDL_SCANCODE_KP_5, Vk::Numpad0 + 5, 0x4C, false},
    KeyRow{SDL_SCANCODE_KP_6, Vk::Numpad0 + 6, 0x4D, false},
    KeyRow{SDL_SCANCODE_KP_7, Vk::Numpad0 + 7, 0x47, false},
    KeyRow{SDL_SCANCODE_KP_8, Vk::Numpad0 + 8, 0x48, false},
    KeyRow{SDL_SCANCODE_KP_9, Vk::Numpad0 + 9, 0x49, false},
    KeyRow{SDL_SCANCODE_KP_0, Vk::Numpad0, 0x52, false},
    KeyRow{SDL_SCANCODE_KP_PERIOD, Vk::Decimal, 0x53, false},
    KeyRow{SDL_SCANCODE_APPLICATION, Vk::Apps, 0x5D, true},
    KeyRow{SDL_SCANCODE_LCTRL, Vk::Control, 0x1D, false},
    KeyRow{SDL_SCANCODE_LSHIFT, Vk::Shift, 0x2A, false},
    KeyRow{SDL_SCANCODE_LALT, Vk::Menu, 0x38, false},
    KeyRow{SDL_SCANCODE_LGUI, Vk::LWin, 0x5B, true},
    KeyRow{SDL_SCANCODE_RCTRL, Vk::Control, 0x1D, true},
    KeyRow{SDL_SCANCODE_RSHIFT, Vk::Shift, 0x36, false},
    KeyRow{SDL_SCANCODE_RALT, Vk::Menu, 0x38, true},
    KeyRow{SDL_SCANCODE_RGUI, Vk::RWin, 0x5C, true},
    KeyRow{SDL_SCANCODE_LANG1, Vk::Hangul, 0xF2, false},
    KeyRow{SDL_SCANCODE_LANG2, Vk::Hanja, 0xF1, false},
};

// Set-1 scan codes of the letter keys, in the order of SDL's letter scan codes (A to Z).
constexpr std::array<uint8_t, 26> kLetterScanCodes{0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                   0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                   0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

const KeyRow* FindRow(SDL_Scancode scancode) {
    for (const KeyRow& row : kKeys) {
        if (row.scancode == scancode) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

uint8_t VirtualKeyFor(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) {
        return static_cast<uint8_t>(Vk::KeyA + (key.sym - SDLK_a));
    }
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9) {
        return static_cast<uint8_t>(Vk::Key0 + (key.sym - SDLK_0));
    }
    if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z) {
        return static_cast<uint8_t>(Vk::KeyA + (key.scancode - SDL_SCANCODE_A));
    }
    if (key.scancode >= SDL_SCANCODE_1 && key.scancode <= SDL_SCANCODE_9) {
        return static_cast<uint8_t>(Vk::Key0 + 1 + (key.scancode - SDL_SCANCODE_1));
    }
    if (key.scancode == SDL_SCANCODE_0) {
        return Vk::Key0;
    }
    const KeyRow* row = FindRow(key.scancode);
    return row != nullptr ? row->vk : 0;
}

PcScanCode PcScanCodeFor(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return PcScanCode{kLetterScanCodes[scancode - SDL_SCANCODE_A], false};
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0) {
        return PcScanCode{static_cast<uint8_t>(0x02 + (scancode - SDL_SCANCODE_1)), false};
    }
    const KeyRow* row = FindRow(scancode);
    return row != nullptr ? PcScanCode{row->scan, row->extended} : PcScanCode{};
}

}  // namespace platform
