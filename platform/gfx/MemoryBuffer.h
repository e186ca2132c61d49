#pragma once
// Vertex and index buffers whose bytes live in memory; both devices draw from them. The OpenGL device draws
// dynamic buffers from client-side arrays (so discard and no-overwrite locks need no synchronisation with the
// hardware) and copies the others into its own buffer objects, again whenever a write lock changed them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/Buffer.h"

namespace platform::gfx {

// What a device keeps with a memory buffer (a hardware copy). Destroyed with the buffer, on any thread.
class BufferBackendData {
public:
    virtual ~BufferBackendData() = default;
};

// The bytes and lock bookkeeping of a buffer. Every unlock of a lock that could write counts up the version,
// so a device can tell that its copy is stale.
class BufferBytes {
public:
    explicit BufferBytes(const BufferDesc& desc) : desc_(desc), bytes_(desc.size) {}

    const BufferDesc& GetDesc() const { return desc_; }
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags);
    Result Unlock();
    const std::byte* Data() const { return bytes_.data(); }
    uint64_t Version() const { return version_; }

    BufferBackendData* GetBackendData() const { return backend_.get(); }
    void SetBackendData(std::unique_ptr<BufferBackendData> data) { backend_ = std::move(data); }

private:
    BufferDesc desc_;
    std::vector<std::byte> bytes_;
    bool locked_ = false;
    bool writing_ = false;
    uint64_t version_ = 1;
    std::unique_ptr<BufferBackendData> backend_;
};

class MemoryVertexBuffer : public VertexBuffer {
public:
    explicit MemoryVertexBuffer(const BufferDesc& desc) : bytes_(desc) {}

    BufferDesc GetDesc() const override { return bytes_.GetDesc(); }
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override {
        return bytes_.Lock(offset, size, data, flags);
    }
    Result Unlock() override { return bytes_.Unlock(); }
    const std::byte* Data() const { return bytes_.Data(); }
    BufferBytes& Bytes() { return bytes_; }

private:
    BufferBytes bytes_;
};

class MemoryIndexBuffer : public IndexBuffer {
public:
    explicit MemoryIndexBuffer(const BufferDesc& desc) : bytes_(desc) {}

    BufferDesc GetDesc() const override { return bytes_.GetDesc(); }
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override {
        return bytes_.Lock(offset, size, data, flags);
    }
    Result Unlock() override { return bytes_.Unlock(); }
    const std::byte* Data() const { return bytes_.Data(); }
    BufferBytes& Bytes() { return bytes_; }

private:
    BufferBytes bytes_;
};

}  // namespace platform::gfx
