#include "QuillLib/render/VertexBuffer.h"

#include <cstring>

#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/DeviceVertexFormat.h"
#include "platform/gfx/Device.h"

namespace quill {

namespace gfx = platform::gfx;

VertexBuffer::VertexBuffer(gfx::Device& device, uint32_t engineFormat, uint32_t capacity, bool dynamic)
    : DeviceBuffer(device, capacity, dynamic) {
    AdoptFormat(engineFormat);
}

void VertexBuffer::AdoptFormat(uint32_t engineFormat) {
    const DeviceVertexFormat format = ConvertVertexFormat(engineFormat);
    engineFormat_ = engineFormat;
    fvf_ = format.fvf;
    stride_ = format.stride;
}

bool VertexBuffer::Create() {
    Release();
    const uint32_t usage = dynamic_ ? (gfx::Usage::Dynamic | gfx::Usage::WriteOnly) : gfx::Usage::WriteOnly;
    return gfx::Succeeded(device_.CreateVertexBuffer(capacity_, usage, fvf_, gfx::Pool::Default, buffer_));
}

bool VertexBuffer::Resize(uint32_t capacity) {
    capacity_ = capacity;
    AdoptFormat(engineFormat_);
    return Create();
}

void VertexBuffer::Release() {
    buffer_.reset();
    cache_.clear();
    ResetCounters();
}

std::byte* VertexBuffer::Lock(uint32_t offset, uint32_t bytes, uint32_t flags) {
    void* data = nullptr;
    if (!buffer_ || !gfx::Succeeded(buffer_->Lock(offset, bytes, &data, flags))) {
        return nullptr;
    }
    return static_cast<std::byte*>(data);
}

void VertexBuffer::Unlock() {
    if (buffer_) buffer_->Unlock();
}

bool VertexBuffer::Select(uint32_t engineFormat) {
    if (!dynamic_ && engineFormat != engineFormat_) {
        return false;
    }
    if (dynamic_) {
        cache_.clear();
        writeOffset_ = 0;
        AdoptFormat(engineFormat);
    }
    return buffer_ && gfx::Succeeded(device_.SetStreamSource(0, buffer_.get(), 0, stride_));
}

int32_t VertexBuffer::Append(const VertexData& chunk, uint32_t& first, int32_t hint) {
    if (hint >= 0 && static_cast<size_t>(hint) < cache_.size() && cache_[hint].first == &chunk) {
        first = cache_[hint].second / stride_;
        return hint;
    }
    const uint32_t count = chunk.VertexCount();
    const uint32_t sourceStride = chunk.Stride() * 4;
    if (count == 0 || stride_ == 0 || sourceStride > stride_ || count > capacity_ / stride_) {
        return -1;
    }
    std::byte* target = Append(count * stride_);
    if (target == nullptr) {
        return -1;
    }
    const uint32_t offset = writeOffset_ - count * stride_;
    // The padding sets are never written by the source; they are zero.
    std::vector<std::byte> scratch(stride_);
    const std::byte* source = chunk.Bytes().data();
    for (uint32_t i = 0; i < count; ++i) {
        std::memcpy(scratch.data(), source + static_cast<size_t>(i) * sourceStride, sourceStride);
        std::memcpy(target + static_cast<size_t>(i) * stride_, scratch.data(), stride_);
    }
    Unlock();
    cache_.emplace_back(&chunk, offset);
    first = offset / stride_;
    return static_cast<int32_t>(cache_.size() - 1);
}

}  // namespace quill
