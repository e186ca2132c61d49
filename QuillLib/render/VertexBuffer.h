#pragma once
// A vertex buffer of the pool. A static one holds one vertex format; a dynamic one adopts the format it is
// selected for. Appended chunks are remembered until the buffer wraps, so a chunk drawn again within one
// fill is not copied twice (the hint is the cache index an earlier append returned).
//
// Threads: the device's thread.
#include <memory>
#include <utility>
#include <vector>

#include "QuillLib/render/DeviceBuffer.h"
#include "platform/gfx/Buffer.h"

namespace quill {

class VertexData;

class VertexBuffer : public DeviceBuffer {
public:
    VertexBuffer(platform::gfx::Device& device, uint32_t engineFormat, uint32_t capacity, bool dynamic);

    using DeviceBuffer::Append;

    bool Create() override;
    // Gives the buffer another capacity and creates it anew (its contents go).
    bool Resize(uint32_t capacity);
    void Release() override;
    void Unlock() override;
    void ClearAppendCache() override { cache_.clear(); }

    // Sets the buffer as stream 0 for the format; false when a static buffer holds another format.
    bool Select(uint32_t engineFormat);
    // Copies the chunk's vertices (each padded to the stride) behind the last ones, or finds them in the
    // cache; first is the index of the first vertex. Returns the cache index, -1 on failure.
    int32_t Append(const VertexData& chunk, uint32_t& first, int32_t hint);

    uint32_t GetEngineFormat() const { return engineFormat_; }

private:
    std::byte* Lock(uint32_t offset, uint32_t bytes, uint32_t flags) override;
    void AdoptFormat(uint32_t engineFormat);

    uint32_t engineFormat_ = 0;
    uint32_t fvf_ = 0;
    uint32_t stride_ = 0;
    std::unique_ptr<platform::gfx::VertexBuffer> buffer_;
    std::vector<std::pair<const void*, uint32_t>> cache_;
};

}  // namespace quill
