#pragma once
// Keys as SDL names them, in Windows' terms: the virtual-key code of a key, and the scan code a PC keyboard
// sends for it (set 1, with the extended flag of the keys that send a 0xE0 prefix).
#include <SDL_keyboard.h>

#include <cstdint>

namespace platform {

struct PcScanCode {
    uint8_t code = 0;
    bool extended = false;
};

// 0 for a key that has no virtual-key code. Letters and digits follow the keyboard layout's character,
// every other key its position.
uint8_t VirtualKeyFor(const SDL_Keysym& key);
PcScanCode PcScanCodeFor(SDL_Scancode scancode);

}  // namespace platform
