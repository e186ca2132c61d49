#include "platform/window/KeyStateTable.h"

namespace platform {
namespace {

bool InRange(int vk) { return vk >= 0 && vk < 256; }

}  // namespace

int16_t KeyStateTable::GetKeyState(int vk) const {
    if (!InRange(vk)) {
        return 0;
    }
    const uint8_t state = keys_[vk].load(std::memory_order_relaxed);
    int16_t result = 0;
    if (state & kDownBit) {
        result = static_cast<int16_t>(result | kDown);
    }
    if (state & kToggleBit) {
        result = static_cast<int16_t>(result | kToggled);
    }
    return result;
}

void KeyStateTable::Press(int vk) {
    if (!InRange(vk)) {
        return;
    }
    const uint8_t state = keys_[vk].load(std::memory_order_relaxed);
    const uint8_t toggled = (state & kDownBit) ? (state & kToggleBit) : ((state ^ kToggleBit) & kToggleBit);
    keys_[vk].store(static_cast<uint8_t>(kDownBit | toggled), std::memory_order_relaxed);
}

void KeyStateTable::Release(int vk) {
    if (!InRange(vk)) {
        return;
    }
    keys_[vk].fetch_and(static_cast<uint8_t>(~kDownBit), std::memory_order_relaxed);
}

void KeyStateTable::ReleaseAll() {
    for (auto& key : keys_) {
        key.fetch_and(static_cast<uint8_t>(~kDownBit), std::memory_order_relaxed);
    }
}

}  // namespace platform
