#pragma once
// What vertex and index buffers of the pool share: the platform buffer, capacity, the write offset of the
// append discipline (a dynamic buffer moves forward with no-overwrite locks and wraps with a discard lock,
// forgetting what it cached; a static one refuses what does not fit).
//
// Threads: the device's thread.
#include <cstddef>
#include <cstdint>

namespace platform::gfx {
class Device;
}

namespace quill {

class DeviceBuffer {
public:
    static constexpr uint32_t kNoOffset = 0xFFFFFFFF;

    virtual ~DeviceBuffer() = default;

    // Locks room for bytes more bytes at the write offset; null when they cannot be had. The caller
    // unlocks through Unlock.
    std::byte* Append(uint32_t bytes);
    virtual void Unlock() = 0;
    virtual void ClearAppendCache() = 0;

    // Creates the platform buffer anew (the old one released, the cache cleared, rewound).
    virtual bool Create() = 0;
    // Drops the platform buffer; the cache and the write offset go to 0.
    virtual void Release() = 0;
    // A dynamic buffer, or any when forced, clears its cache and restarts at offset 0.
    void Rewind(bool force);

    uint32_t GetCapacity() const { return capacity_; }
    bool IsDynamic() const { return dynamic_; }
    uint32_t GetWriteOffset() const { return writeOffset_; }

protected:
    DeviceBuffer(platform::gfx::Device& device, uint32_t capacity, bool dynamic)
        : device_(device), capacity_(capacity), dynamic_(dynamic) {}

    // Locks bytes at offset with the lock flags; null on failure.
    virtual std::byte* Lock(uint32_t offset, uint32_t bytes, uint32_t flags) = 0;
    void ResetCounters();

    platform::gfx::Device& device_;
    uint32_t capacity_;
    bool dynamic_;
    uint32_t writeOffset_ = 0;
};

}  // namespace quill
