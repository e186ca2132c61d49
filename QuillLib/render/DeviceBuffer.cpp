#include "QuillLib/render/DeviceBuffer.h"

#include "platform/gfx/GfxFormat.h"

namespace quill {

std::byte* DeviceBuffer::Append(uint32_t bytes) {
    if (bytes > capacity_) {
        return nullptr;
    }
    if (bytes > capacity_ - writeOffset_) {
        if (!dynamic_) {
            return nullptr;
        }
        ClearAppendCache();
        writeOffset_ = 0;
    }
    uint32_t flags = 0;
    if (dynamic_) {
        flags = writeOffset_ != 0 ? platform::gfx::LockFlags::NoOverwrite : platform::gfx::LockFlags::Discard;
    }
    std::byte* data = Lock(writeOffset_, bytes, flags);
    if (data != nullptr) {
        writeOffset_ += bytes;
    }
    return data;
}

void DeviceBuffer::Rewind(bool force) {
    if (dynamic_ || force) {
        ClearAppendCache();
        writeOffset_ = 0;
    }
}

void DeviceBuffer::ResetCounters() {
    writeOffset_ = 0;
}

}  // namespace quill
