#pragma once
// Vertex and index buffers. A lock hands out the bytes to write; NoOverwrite promises not to touch bytes that
// draws of this frame still read, Discard gives up the old contents. Buffers are locked on the thread that
// draws.
#include <cstdint>

#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

class Buffer {
public:
    virtual ~Buffer() = default;

    virtual BufferDesc GetDesc() const = 0;
    // Locks size bytes from offset (size 0: to the end). Fails when the range lies outside the buffer.
    virtual Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) = 0;
    virtual Result Unlock() = 0;

protected:
    Buffer() = default;
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
};

class VertexBuffer : public Buffer {};
class IndexBuffer : public Buffer {};

}  // namespace platform::gfx
