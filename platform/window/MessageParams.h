#pragma once
// Packing and unpacking of message parameters exactly as Windows lays them out: two 16-bit halves in a
// 32-bit word, coordinates signed, the wheel delta in the signed high word of wParam, and the key-message
// lParam with its repeat count, scan code and state bits.
#include <cstdint>

#include "platform/window/Message.h"

namespace platform {

constexpr uint16_t LoWord(uintptr_t value) { return static_cast<uint16_t>(value & 0xFFFF); }
constexpr uint16_t HiWord(uintptr_t value) { return static_cast<uint16_t>((value >> 16) & 0xFFFF); }

constexpr WParam MakeWParam(uint16_t low, uint16_t high) {
    return static_cast<WParam>(static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16));
}

// A 32-bit word made of two halves, as a non-negative LParam (Windows' LPARAM of such a word is its
// 32-bit pattern; readers take it apart again with the helpers below).
constexpr LParam MakeLParam(uint16_t low, uint16_t high) {
    return static_cast<LParam>(static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16));
}

// A client or screen point packed into lParam; each coordinate is cut to 16 bits.
constexpr LParam MakePointLParam(int x, int y) {
    return MakeLParam(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
}
constexpr int PointX(LParam lParam) { return static_cast<int16_t>(LoWord(static_cast<uintptr_t>(lParam))); }
constexpr int PointY(LParam lParam) { return static_cast<int16_t>(HiWord(static_cast<uintptr_t>(lParam))); }

// Msg::MouseWheel: the delta (multiples of kWheelDelta, positive away from the user) and the key flags.
constexpr WParam MakeWheelWParam(uint32_t keyFlags, int delta) {
    return MakeWParam(static_cast<uint16_t>(keyFlags), static_cast<uint16_t>(delta));
}
constexpr int WheelDelta(WParam wParam) { return static_cast<int16_t>(HiWord(wParam)); }

// The lParam of key and character messages.
struct KeyParams {
    uint16_t repeatCount = 1;
    uint8_t scanCode = 0;
    bool extended = false;  // right-hand Alt and Ctrl, the arrow and editing block, keypad Enter and /
    bool altDown = false;   // the context bit: Alt was held
    bool wasDown = false;   // the key was already down (an auto-repeat), always set for key-up
    bool released = false;  // the transition bit: set for key-up
};

constexpr LParam MakeKeyLParam(const KeyParams& key) {
    uint32_t value = key.repeatCount;
    value |= static_cast<uint32_t>(key.scanCode) << 16;
    value |= key.extended ? 1u << 24 : 0u;
    value |= key.altDown ? 1u << 29 : 0u;
    value |= key.wasDown ? 1u << 30 : 0u;
    value |= key.released ? 1u << 31 : 0u;
    return static_cast<LParam>(value);
}

constexpr KeyParams ReadKeyLParam(LParam lParam) {
    const auto value = static_cast<uint32_t>(lParam);
    KeyParams key;
    key.repeatCount = static_cast<uint16_t>(value & 0xFFFF);
    key.scanCode = static_cast<uint8_t>((value >> 16) & 0xFF);
    key.extended = (value >> 24) & 1;
    key.altDown = (value >> 29) & 1;
    key.wasDown = (value >> 30) & 1;
    key.released = (value >> 31) & 1;
    return key;
}

}  // namespace platform
