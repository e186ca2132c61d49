#pragma once
// Vertex and index buffers whose bytes live in memory; both devices draw from them (the OpenGL device through
// client-side arrays, so discard and no-overwrite locks need no synchronisation with the hardware).
#include <cstddef>
#include <vector>

#include "platform/gfx/Buffer.h"

namespace platform::gfx {

// The bytes and lock bookkeeping of a buffer.
class BufferBytes {
public:
    explicit BufferBytes(const BufferDesc& desc) : desc_(desc), bytes_(desc.size) {}

    const BufferDesc& GetDesc() const { return desc_; }
    Result Lock(uint32_t offset, uint32_t size, void** data);
    Result Unlock();
    const std::byte* Data() const { return bytes_.data(); }
    bool IsLocked() const { return locked_; }

private:
    BufferDesc desc_;
    std::vector<std::byte> bytes_;
    bool locked_ = false;
};

class MemoryVertexBuffer : public VertexBuffer {
public:
    explicit MemoryVertexBuffer(const BufferDesc& desc) : bytes_(desc) {}

    BufferDesc GetDesc() const override { return bytes_.GetDesc(); }
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t) override { return bytes_.Lock(offset, size, data); }
    Result Unlock() override { return bytes_.Unlock(); }
    const std::byte* Data() const { return bytes_.Data(); }

private:
    BufferBytes bytes_;
};

class MemoryIndexBuffer : public IndexBuffer {
public:
    explicit MemoryIndexBuffer(const BufferDesc& desc) : bytes_(desc) {}

    BufferDesc GetDesc() const override { return bytes_.GetDesc(); }
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t) override { return bytes_.Lock(offset, size, data); }
    Result Unlock() override { return bytes_.Unlock(); }
    const std::byte* Data() const { return bytes_.Data(); }

private:
    BufferBytes bytes_;
};

}  // namespace platform::gfx
