#pragma once
// A block of 16-bit triangle indices as the device draws it: the indices, the lowest and highest vertex they
// use, the static index buffer that holds them (0xFFFF none), and the append-cache hint the device keeps with
// them between frames. The mesh that owns the indices owns the chunk; the device only reads it.
#include <cstdint>
#include <span>

namespace quill {

struct IndexChunk {
    std::span<const uint16_t> indices;
    uint16_t lowest = 0;
    uint16_t highest = 0;
    uint16_t staticHandle = 0xFFFF;
    int32_t appendHint = -1;
};

}  // namespace quill
