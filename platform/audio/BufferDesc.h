#pragma once
// What a secondary sound buffer is created with: its capability flags (BufferCaps), its size in bytes and the
// format of the data it will hold.
#include <cstdint>

#include "platform/audio/WaveFormat.h"

namespace platform {

struct BufferDesc {
    uint32_t flags = 0;
    uint32_t bytes = 0;
    WaveFormat format;
};

}  // namespace platform
