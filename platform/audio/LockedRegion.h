#pragma once
// The part of a buffer handed out by SoundBuffer::Lock: up to two pieces, the second one when the locked
// range runs past the end of the buffer and wraps to its start.
#include <cstdint>

namespace platform {

struct LockedRegion {
    uint8_t* first = nullptr;
    uint32_t firstBytes = 0;
    uint8_t* second = nullptr;
    uint32_t secondBytes = 0;
};

}  // namespace platform
