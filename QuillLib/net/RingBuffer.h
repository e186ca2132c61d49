#pragma once
// A circular byte store: the socket's received bytes wait here until they form whole frames. Every
// operation holds the buffer's own lock.
#include <cstdint>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"

namespace quill {

class RingBuffer {
public:
    static constexpr int kFull = -4;

    explicit RingBuffer(uint32_t capacity = 0);

    // Replaces the storage with capacity empty bytes.
    void SetCapacity(uint32_t capacity);
    void Clear();

    // Stores all n bytes and returns the bytes now held, or kFull (logging a warning) when they do not all
    // fit, storing nothing.
    int Write(const uint8_t* bytes, uint32_t n);
    // Takes up to n bytes into out and returns the bytes still held (0 when nothing was held or n is 0).
    int Read(uint8_t* out, uint32_t n);
    // Copies up to n bytes into out without taking them; returns the count copied.
    uint32_t Peek(uint8_t* out, uint32_t n) const;
    // The next two bytes as a little-endian u16, the frame length (0 when fewer are held).
    uint16_t PeekU16() const;

    uint32_t Used() const;
    uint32_t FreeSpace() const;
    uint32_t Capacity() const;

private:
    mutable CriticalSectionLock lock_;
    std::vector<uint8_t> storage_;
    uint32_t readIndex_ = 0;
    uint32_t writeIndex_ = 0;
    uint32_t used_ = 0;
};

}  // namespace quill
