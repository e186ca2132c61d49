#include "QuillLib/render/IndexBuffer.h"

#include <algorithm>

#include "QuillLib/resource/IndexChunk.h"
#include "platform/gfx/Device.h"

namespace quill {

namespace gfx = platform::gfx;

IndexBuffer::IndexBuffer(gfx::Device& device, uint32_t capacity, bool dynamic)
    : DeviceBuffer(device, capacity, dynamic) {}

bool IndexBuffer::Resize(uint32_t capacity) {
    capacity_ = capacity;
    return Create();
}

bool IndexBuffer::Create() {
    Release();
    const uint32_t usage = dynamic_ ? (gfx::Usage::Dynamic | gfx::Usage::WriteOnly) : gfx::Usage::WriteOnly;
    return gfx::Succeeded(
        device_.CreateIndexBuffer(capacity_, usage, gfx::Format::Index16, gfx::Pool::Default, buffer_));
}

void IndexBuffer::Release() {
    buffer_.reset();
    cache_.clear();
    ResetCounters();
}

std::byte* IndexBuffer::Lock(uint32_t offset, uint32_t bytes, uint32_t flags) {
    void* data = nullptr;
    if (!buffer_ || !gfx::Succeeded(buffer_->Lock(offset, bytes, &data, flags))) {
        return nullptr;
    }
    return static_cast<std::byte*>(data);
}

void IndexBuffer::Unlock() {
    if (buffer_) buffer_->Unlock();
}

bool IndexBuffer::Select() {
    return buffer_ && gfx::Succeeded(device_.SetIndices(buffer_.get()));
}

int32_t IndexBuffer::Append(const IndexChunk& chunk, uint32_t baseVertex, uint32_t& first, int32_t hint) {
    if (hint >= 0 && static_cast<size_t>(hint) < cache_.size() && cache_[hint].chunk == &chunk &&
        cache_[hint].baseVertex == baseVertex) {
        first = cache_[hint].offset / 2;
        return hint;
    }
    const auto count = static_cast<uint32_t>(chunk.indices.size());
    if (count == 0 || count > capacity_ / 2) {
        return -1;
    }
    const uint16_t highest = *std::max_element(chunk.indices.begin(), chunk.indices.end());
    if (baseVertex + highest > 0xFFFF) {
        return -1;
    }
    std::byte* target = Append(count * 2);
    if (target == nullptr) {
        return -1;
    }
    const uint32_t offset = writeOffset_ - count * 2;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t value = chunk.indices[i] + baseVertex;
        target[2 * i] = std::byte(value & 0xFF);
        target[2 * i + 1] = std::byte(value >> 8);
    }
    Unlock();
    cache_.push_back(CacheEntry{&chunk, offset, baseVertex});
    first = offset / 2;
    return static_cast<int32_t>(cache_.size() - 1);
}

}  // namespace quill
