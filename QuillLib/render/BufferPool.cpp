#include "QuillLib/render/BufferPool.h"

#include <algorithm>

namespace quill {
namespace {

template <class Buffer>
uint16_t Register(std::vector<SharedPtr<Buffer>>& buffers, SharedPtr<Buffer> buffer) {
    if (buffers.size() >= BufferPool::kNoHandle) {
        return BufferPool::kNoHandle;
    }
    buffers.push_back(std::move(buffer));
    return static_cast<uint16_t>(buffers.size() - 1);
}

// Makes a dynamic buffer of at least `bytes` the dynamic one, when the present one is missing or smaller.
template <class Buffer, class Make>
bool EnsureDynamic(std::vector<SharedPtr<Buffer>>& buffers, uint16_t& dynamic, uint32_t bytes, Make make) {
    if (dynamic != BufferPool::kNoHandle && buffers[dynamic]->GetCapacity() >= bytes) {
        return true;
    }
    SharedPtr<Buffer> buffer = make(std::max(bytes, BufferPool::kMinDynamicBytes));
    if (!buffer->Create()) {
        return false;
    }
    const uint16_t handle = Register(buffers, buffer);
    if (handle == BufferPool::kNoHandle) {
        return false;
    }
    if (dynamic != BufferPool::kNoHandle) {
        buffers[dynamic]->Release();
    }
    dynamic = handle;
    return true;
}

}  // namespace

uint16_t BufferPool::AddVertexBuffer(SharedPtr<VertexBuffer> buffer) {
    return Register(vertexBuffers_, std::move(buffer));
}

uint16_t BufferPool::AddIndexBuffer(SharedPtr<IndexBuffer> buffer) {
    return Register(indexBuffers_, std::move(buffer));
}

bool BufferPool::EnsureDynamicVertexBuffer(uint32_t bytes) {
    if (device_ == nullptr) return false;
    return EnsureDynamic(vertexBuffers_, dynamicVertexBuffer_, bytes, [&](uint32_t capacity) {
        return make_shared<VertexBuffer>(*device_, 0, capacity, true);
    });
}

bool BufferPool::EnsureDynamicIndexBuffer(uint32_t bytes) {
    if (device_ == nullptr) return false;
    return EnsureDynamic(indexBuffers_, dynamicIndexBuffer_, bytes, [&](uint32_t capacity) {
        return make_shared<IndexBuffer>(*device_, capacity, true);
    });
}

bool BufferPool::SelectDynamicVertexBuffer(uint32_t engineFormat, uint32_t bytes) {
    if ((dynamicVertexBuffer_ == kNoHandle || bytes != 0) && !EnsureDynamicVertexBuffer(bytes)) {
        return false;
    }
    VertexBuffer& buffer = *vertexBuffers_[dynamicVertexBuffer_];
    if (selectedVertexBuffer_ == dynamicVertexBuffer_ && buffer.GetEngineFormat() == engineFormat) {
        return true;
    }
    selectedVertexBuffer_ = dynamicVertexBuffer_;
    return buffer.Select(engineFormat);
}

bool BufferPool::SelectDynamicIndexBuffer(uint32_t bytes) {
    if ((dynamicIndexBuffer_ == kNoHandle || bytes != 0) && !EnsureDynamicIndexBuffer(bytes)) {
        return false;
    }
    if (selectedIndexBuffer_ == dynamicIndexBuffer_) {
        return true;
    }
    selectedIndexBuffer_ = dynamicIndexBuffer_;
    return indexBuffers_[dynamicIndexBuffer_]->Select();
}

bool BufferPool::SelectVertexBuffer(uint16_t handle, uint32_t engineFormat) {
    VertexBuffer* buffer = GetVertexBuffer(handle);
    if (buffer == nullptr) return false;
    if (selectedVertexBuffer_ == handle && buffer->GetEngineFormat() == engineFormat) return true;
    selectedVertexBuffer_ = handle;
    return buffer->Select(engineFormat);
}

bool BufferPool::SelectIndexBuffer(uint16_t handle) {
    IndexBuffer* buffer = GetIndexBuffer(handle);
    if (buffer == nullptr) return false;
    if (selectedIndexBuffer_ == handle) return true;
    selectedIndexBuffer_ = handle;
    return buffer->Select();
}

bool BufferPool::RecreateAll() {
    bool all = true;
    for (auto& buffer : vertexBuffers_) all = buffer->Create() && all;
    for (auto& buffer : indexBuffers_) all = buffer->Create() && all;
    return all;
}

void BufferPool::RewindAll(bool force) {
    for (auto& buffer : vertexBuffers_) buffer->Rewind(force);
    for (auto& buffer : indexBuffers_) buffer->Rewind(force);
}

void BufferPool::ReleaseAll() {
    for (auto& buffer : vertexBuffers_) buffer->Release();
    for (auto& buffer : indexBuffers_) buffer->Release();
    vertexBuffers_.clear();
    indexBuffers_.clear();
    selectedVertexBuffer_ = selectedIndexBuffer_ = kNoHandle;
    dynamicVertexBuffer_ = dynamicIndexBuffer_ = kNoHandle;
    valid_ = false;
}

VertexBuffer* BufferPool::GetVertexBuffer(uint16_t handle) const {
    return handle < vertexBuffers_.size() ? vertexBuffers_[handle].get() : nullptr;
}

IndexBuffer* BufferPool::GetIndexBuffer(uint16_t handle) const {
    return handle < indexBuffers_.size() ? indexBuffers_[handle].get() : nullptr;
}

void BufferPool::ForgetSelection() {
    selectedVertexBuffer_ = selectedIndexBuffer_ = kNoHandle;
}

}  // namespace quill
