#pragma once
// The device's vertex and index buffers, addressed by u16 handles (the index into the pool's list, 0xFFFF
// none): the static buffers that static geometry registers, and one dynamic vertex and one dynamic index
// buffer that everything else is appended to each frame. `valid` is cleared when the buffers are released
// (device loss, a frame without a 3D scene), which tells the static geometry to upload again.
//
// Threads: the device's thread.
#include <cstdint>
#include <vector>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/render/IndexBuffer.h"
#include "QuillLib/render/VertexBuffer.h"

namespace platform::gfx {
class Device;
}

namespace quill {

class BufferPool {
public:
    static constexpr uint16_t kNoHandle = 0xFFFF;
    static constexpr uint32_t kMinDynamicBytes = 0x80000;

    explicit BufferPool(platform::gfx::Device* device = nullptr) : device_(device) {}

    // The device new buffers are made on (none while there is no device).
    void SetDevice(platform::gfx::Device* device) { device_ = device; }
    platform::gfx::Device* GetDevice() const { return device_; }

    uint16_t AddVertexBuffer(SharedPtr<VertexBuffer> buffer);
    uint16_t AddIndexBuffer(SharedPtr<IndexBuffer> buffer);

    // Makes sure the dynamic buffer holds at least bytes (at least kMinDynamicBytes when made); a larger one
    // replaces it: the old one's platform buffer is released at once while its slot stays, so handles held
    // elsewhere keep their meaning.
    bool EnsureDynamicVertexBuffer(uint32_t bytes);
    bool EnsureDynamicIndexBuffer(uint32_t bytes);
    bool SelectDynamicVertexBuffer(uint32_t engineFormat, uint32_t bytes);
    bool SelectDynamicIndexBuffer(uint32_t bytes);
    // Selects a registered static vertex buffer for its format.
    bool SelectVertexBuffer(uint16_t handle, uint32_t engineFormat);
    bool SelectIndexBuffer(uint16_t handle);

    bool RecreateAll();
    void RewindAll(bool force);
    void ReleaseAll();

    VertexBuffer* GetVertexBuffer(uint16_t handle) const;
    IndexBuffer* GetIndexBuffer(uint16_t handle) const;
    size_t VertexBufferCount() const { return vertexBuffers_.size(); }

    bool IsValid() const { return valid_; }
    void SetValid(bool valid) { valid_ = valid; }
    uint16_t GetSelectedVertexBuffer() const { return selectedVertexBuffer_; }
    uint16_t GetSelectedIndexBuffer() const { return selectedIndexBuffer_; }
    uint16_t GetDynamicVertexBuffer() const { return dynamicVertexBuffer_; }
    // Forgets the selection so that the next select reaches the device (start of a 3D pass).
    void ForgetSelection();

private:
    bool valid_ = false;
    platform::gfx::Device* device_;
    uint16_t selectedVertexBuffer_ = kNoHandle;
    uint16_t selectedIndexBuffer_ = kNoHandle;
    uint16_t dynamicVertexBuffer_ = kNoHandle;
    uint16_t dynamicIndexBuffer_ = kNoHandle;
    std::vector<SharedPtr<VertexBuffer>> vertexBuffers_;
    std::vector<SharedPtr<IndexBuffer>> indexBuffers_;
};

}  // namespace quill
