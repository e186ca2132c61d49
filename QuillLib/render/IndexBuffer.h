#pragma once
// A 16-bit index buffer of the pool. Appended chunks are rebased by a base vertex and remembered with it
// until the buffer wraps; a cached chunk is reused only for the same base vertex, since the same indices
// under another base address other vertices.
//
// Threads: the device's thread.
#include <memory>
#include <vector>

#include "QuillLib/render/DeviceBuffer.h"
#include "platform/gfx/Buffer.h"

namespace quill {

struct IndexChunk;

class IndexBuffer : public DeviceBuffer {
public:
    IndexBuffer(platform::gfx::Device& device, uint32_t capacity, bool dynamic);

    using DeviceBuffer::Append;

    bool Create() override;
    // Gives the buffer another capacity and creates it anew (its contents go).
    bool Resize(uint32_t capacity);
    void Release() override;
    void Unlock() override;
    void ClearAppendCache() override { cache_.clear(); }

    // Sets the buffer as the device's index buffer.
    bool Select();
    // Copies the chunk's indices plus baseVertex behind the last ones, or finds them in the cache; first is
    // the index of the first one. Returns the cache index, -1 on failure (also when a rebased index would
    // not fit 16 bits).
    int32_t Append(const IndexChunk& chunk, uint32_t baseVertex, uint32_t& first, int32_t hint);


private:
    struct CacheEntry {
        const IndexChunk* chunk;
        uint32_t offset;
        uint32_t baseVertex;
    };

    std::byte* Lock(uint32_t offset, uint32_t bytes, uint32_t flags) override;

    std::unique_ptr<platform::gfx::IndexBuffer> buffer_;
    std::vector<CacheEntry> cache_;
};

}  // namespace quill
