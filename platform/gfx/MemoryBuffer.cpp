#include "platform/gfx/MemoryBuffer.h"

namespace platform::gfx {

Result BufferBytes::Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
    if (data == nullptr || locked_ || offset > bytes_.size()) {
        return Result::InvalidCall;
    }
    const size_t length = size == 0 ? bytes_.size() - offset : size;
    if (length > bytes_.size() - offset) {
        return Result::InvalidCall;
    }
    locked_ = true;
    writing_ = (flags & LockFlags::ReadOnly) == 0;
    *data = bytes_.data() + offset;
    return Result::Ok;
}

Result BufferBytes::Unlock() {
    if (!locked_) {
        return Result::InvalidCall;
    }
    locked_ = false;
    if (writing_) ++version_;
    return Result::Ok;
}

}  // namespace platform::gfx
