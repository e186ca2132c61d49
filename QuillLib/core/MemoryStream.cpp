#include "QuillLib/core/MemoryStream.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace quill {
namespace {

constexpr uint64_t kMaxStreamSize = 0xFFFFFFFF;

// An uncleared buffer of size bytes; null for 0. Throws std::bad_alloc when the memory cannot be had.
std::unique_ptr<uint8_t[]> NewBuffer(uint32_t size) {
    return size == 0 ? nullptr : std::make_unique_for_overwrite<uint8_t[]>(size);
}

// The same, but null when the memory cannot be had: sizes read from damaged files must fail the load, not
// end the program.
std::unique_ptr<uint8_t[]> TryNewBuffer(uint32_t size) {
    try {
        return NewBuffer(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Room for zlib's output from sourceSize bytes: (size + 12) x 1.002, truncated. It holds even data that
// does not compress, which zlib stores with 11 bytes of framing plus 5 per 64 KiB block.
uint64_t CompressedCapacity(uint32_t sourceSize) {
    return static_cast<uint64_t>((static_cast<double>(sourceSize) + 12.0) * 1.002);
}

}  // namespace

MemoryStream::MemoryStream(uint32_t size) : capacity_(size), size_(size), buffer_(NewBuffer(size)) {}

MemoryStream::MemoryStream(const MemoryStream& other)
    : Stream(other), capacity_(other.size_), size_(other.size_), buffer_(NewBuffer(other.size_)) {
    if (size_ > 0) {
        std::memcpy(buffer_.get(), other.buffer_.get(), size_);
    }
}

MemoryStream& MemoryStream::operator=(const MemoryStream& other) {
    if (this != &other) {
        MemoryStream copy(other);
        Swap(copy);
    }
    return *this;
}

MemoryStream::MemoryStream(MemoryStream&& other) noexcept {
    Swap(other);
}

MemoryStream& MemoryStream::operator=(MemoryStream&& other) noexcept {
    MemoryStream taken(std::move(other));
    Swap(taken);
    return *this;
}

void MemoryStream::Swap(MemoryStream& other) noexcept {
    std::swap(capacity_, other.capacity_);
    std::swap(size_, other.size_);
    std::swap(position_, other.position_);
    std::swap(buffer_, other.buffer_);
}

bool MemoryStream::Allocate(uint32_t size) {
    Release();
    buffer_ = TryNewBuffer(size);
    if (size > 0 && buffer_ == nullptr) {
        return false;
    }
    capacity_ = size_ = size;
    return true;
}

void MemoryStream::Release() {
    buffer_.reset();
    capacity_ = size_ = position_ = 0;
}

void MemoryStream::Clear() {
    size_ = position_ = 0;
}

uint32_t MemoryStream::Read(void* buffer, uint32_t count) {
    const uint32_t n = std::min(count, size_ - position_);
    if (n > 0) {
        std::memcpy(buffer, buffer_.get() + position_, n);
        position_ += n;
    }
    return n;
}

uint32_t MemoryStream::Write(const void* buffer, uint32_t count) {
    if (count == 0) {
        return 0;
    }
    // In 64 bits: a huge count from damaged data must not wrap around into a small end.
    const uint64_t end = static_cast<uint64_t>(position_) + count;
    if (end > kMaxStreamSize) {
        return 0;
    }
    if (end > size_) {
        if (end > capacity_ && !Grow(static_cast<uint32_t>(end))) {
            return 0;
        }
        size_ = static_cast<uint32_t>(end);
    }
    std::memcpy(buffer_.get() + position_, buffer, count);
    position_ = static_cast<uint32_t>(end);
    return count;
}

bool MemoryStream::Seek(uint32_t origin, int32_t offset) {
    int64_t base;
    switch (origin) {
        case kFromBegin:
            base = 0;
            break;
        case kFromCurrent:
            base = position_;
            break;
        case kFromEnd:
            base = size_;
            break;
        default:
            return false;
    }
    const int64_t target = base + offset;
    if (target < 0 || target > size_) {
        return false;
    }
    position_ = static_cast<uint32_t>(target);
    return true;
}

// Grows by at least half the capacity, so that appending costs amortised constant time per byte; shrinks
// to exactly the need.
bool MemoryStream::Grow(uint32_t needed) {
    const int64_t delta = static_cast<int64_t>(needed) - capacity_;
    if (delta == 0) {
        return true;
    }
    const uint64_t grown = delta > 0 ? capacity_ + std::max<uint64_t>(delta, capacity_ / 2) : needed;
    const uint32_t newCapacity = static_cast<uint32_t>(std::min(grown, kMaxStreamSize));
    if (newCapacity == 0) {
        return false;
    }
    std::unique_ptr<uint8_t[]> newBuffer = TryNewBuffer(newCapacity);
    if (newBuffer == nullptr) {
        return false;
    }
    // Bytes past the size are never read, so only the data moves.
    const uint32_t kept = std::min(newCapacity, size_);
    if (kept > 0) {
        std::memcpy(newBuffer.get(), buffer_.get(), kept);
    }
    buffer_ = std::move(newBuffer);
    capacity_ = newCapacity;
    if (size_ > capacity_) {
        size_ = 0;
    }
    if (position_ > capacity_) {
        position_ = 0;
    }
    return true;
}

bool MemoryStream::ReadFrom(Stream& source) {
    position_ = 0;
    return source.Read(buffer_.get(), size_) == size_;
}

bool MemoryStream::WriteTo(Stream& target) const {
    return target.Write(buffer_.get(), size_) == size_;
}

bool MemoryStream::CompressTo(MemoryStream& target) const {
    const uint64_t capacity = CompressedCapacity(size_);
    if (capacity > kMaxStreamSize || !target.Allocate(static_cast<uint32_t>(capacity))) {
        return false;
    }
    uLongf compressedLength = target.capacity_;
    if (compress(target.buffer_.get(), &compressedLength, buffer_.get(), size_) != Z_OK) {
        return false;
    }
    target.size_ = static_cast<uint32_t>(compressedLength);
    return true;
}

bool MemoryStream::Compress() {
    MemoryStream compressed;
    if (!CompressTo(compressed)) {
        return false;
    }
    Swap(compressed);
    position_ = 0;
    return true;
}

bool MemoryStream::UncompressTo(MemoryStream& target) const {
    uLongf length = target.size_;
    return uncompress(target.buffer_.get(), &length, buffer_.get(), size_) == Z_OK && length == target.size_;
}

bool MemoryStream::Uncompress(uint32_t uncompressedSize) {
    MemoryStream inflated;
    if (uncompressedSize > kMaxUncompressedSize || !inflated.Allocate(uncompressedSize)) {
        return false;
    }
    uLongf length = uncompressedSize;
    if (uncompress(inflated.buffer_.get(), &length, buffer_.get(), size_) != Z_OK) {
        return false;
    }
    inflated.size_ = static_cast<uint32_t>(length);
    Swap(inflated);
    position_ = 0;
    return true;
}

}  // namespace quill
