#pragma once
// The state of every virtual key as the program last saw it, Windows' GetKeyState: the high bit of the
// result is set while the key is down, the low bit toggles with each press (Caps Lock's light).
//
// The window layer updates an entry before it queues the message of that key, so a procedure that polls
// the table while handling a key message already sees the key's new state. Any thread may read; only the
// main thread writes. Codes outside 0-255 read as up.
#include <array>
#include <atomic>
#include <cstdint>

namespace platform {

class KeyStateTable {
public:
    static constexpr int16_t kDown = static_cast<int16_t>(0x8000);
    static constexpr int16_t kToggled = 0x0001;

    int16_t GetKeyState(int vk) const;
    bool IsDown(int vk) const { return (GetKeyState(vk) & kDown) != 0; }

    // A press toggles the key; a press of a key that is already down (auto-repeat) does not.
    void Press(int vk);
    void Release(int vk);
    // Every key up, toggles kept: the window lost the keyboard.
    void ReleaseAll();

private:
    static constexpr uint8_t kDownBit = 0x80;
    static constexpr uint8_t kToggleBit = 0x01;

    std::array<std::atomic<uint8_t>, 256> keys_{};
};

}  // namespace platform
