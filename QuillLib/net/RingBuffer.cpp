#include "QuillLib/net/RingBuffer.h"

#include <algorithm>
#include <cstring>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"

namespace quill {

RingBuffer::RingBuffer(uint32_t capacity) {
    SetCapacity(capacity);
}

void RingBuffer::SetCapacity(uint32_t capacity) {
    ScopedLock hold(lock_);
    storage_ = std::vector<uint8_t>(capacity, 0);  // a smaller capacity gives the memory back
    readIndex_ = 0;
    writeIndex_ = 0;
    used_ = 0;
}

void RingBuffer::Clear() {
    ScopedLock hold(lock_);
    readIndex_ = 0;
    writeIndex_ = 0;
    used_ = 0;
}

int RingBuffer::Write(const uint8_t* bytes, uint32_t n) {
    ScopedLock hold(lock_);
    const auto capacity = static_cast<uint32_t>(storage_.size());
    if (capacity - used_ < n) {
        TheLog().LogError(u"WARNING : BUFFER IS FULL\n");
        return kFull;
    }
    if (n == 0) {
        return static_cast<int>(used_);
    }
    const uint32_t first = std::min(n, capacity - writeIndex_);
    std::memcpy(storage_.data() + writeIndex_, bytes, first);
    std::memcpy(storage_.data(), bytes + first, n - first);
    writeIndex_ = (writeIndex_ + n) % capacity;
    used_ += n;
    return static_cast<int>(used_);
}

int RingBuffer::Read(uint8_t* out, uint32_t n) {
    ScopedLock hold(lock_);
    if (used_ == 0 || n < 1) {
        return 0;
    }
    const uint32_t taken = Peek(out, n);
    readIndex_ = (readIndex_ + taken) % static_cast<uint32_t>(storage_.size());
    used_ -= taken;
    if (used_ == 0) {
        readIndex_ = 0;
        writeIndex_ = 0;
    }
    return static_cast<int>(used_);
}

uint32_t RingBuffer::Peek(uint8_t* out, uint32_t n) const {
    ScopedLock hold(lock_);
    const auto capacity = static_cast<uint32_t>(storage_.size());
    const uint32_t count = std::min(n, used_);
    if (count == 0) {
        return 0;
    }
    const uint32_t first = std::min(count, capacity - readIndex_);
    std::memcpy(out, storage_.data() + readIndex_, first);
    std::memcpy(out + first, storage_.data(), count - first);
    return count;
}

uint16_t RingBuffer::PeekU16() const {
    uint8_t bytes[2] = {};
    if (Peek(bytes, 2) < 2) {
        return 0;
    }
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t RingBuffer::Used() const {
    ScopedLock hold(lock_);
    return used_;
}

uint32_t RingBuffer::FreeSpace() const {
    ScopedLock hold(lock_);
    return static_cast<uint32_t>(storage_.size()) - used_;
}

uint32_t RingBuffer::Capacity() const {
    ScopedLock hold(lock_);
    return static_cast<uint32_t>(storage_.size());
}

}  // namespace quill
