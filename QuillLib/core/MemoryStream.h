#pragma once
// A growable in-memory Stream. It also carries the zlib compression of resource item records and holds the
// bytes of sounds and images.
//
// Invariant: position <= size <= capacity. Buffers are not cleared when allocated; only bytes below the
// size are ever read.
#include <cstdint>
#include <memory>

#include "QuillLib/core/Stream.h"

namespace quill {

class MemoryStream : public Stream {
public:
    // Uncompress refuses target sizes above this: such a size comes from a damaged file, and allocating it
    // would only exhaust memory.
    static constexpr uint32_t kMaxUncompressedSize = 256u << 20;

    MemoryStream() = default;
    // capacity = size = the argument, position 0, uncleared bytes. Like the copy, it throws std::bad_alloc
    // when the memory cannot be had; Allocate reports that by its result instead.
    explicit MemoryStream(uint32_t size);
    // Copies the source's bytes (capacity = size = the source's size); position 0.
    MemoryStream(const MemoryStream& other);
    MemoryStream& operator=(const MemoryStream& other);
    MemoryStream(MemoryStream&& other) noexcept;
    MemoryStream& operator=(MemoryStream&& other) noexcept;
    ~MemoryStream() override = default;

    // Drops the old bytes and starts over with capacity = size = the argument, position 0, uncleared
    // bytes. False, leaving the stream empty, when the memory cannot be had.
    bool Allocate(uint32_t size);
    // Frees the buffer; capacity, size and position 0.
    void Release();
    // Empties the stream (size and position 0) and keeps the buffer for reuse.
    void Clear();

    uint8_t* Data() { return buffer_.get(); }
    const uint8_t* Data() const { return buffer_.get(); }
    uint32_t Capacity() const { return capacity_; }

    // Reads up to count bytes, fewer at the end of the data.
    uint32_t Read(void* buffer, uint32_t count) override;
    // Writes count bytes at the position, growing the buffer when they pass the capacity. Writing inside
    // the data overwrites it. 0, with nothing changed, when the stream cannot grow or its size would pass
    // 4 GiB.
    uint32_t Write(const void* buffer, uint32_t count) override;
    uint32_t Tell() override { return position_; }
    // Any target from 0 to the size, the size included; otherwise false and the position stays.
    bool Seek(uint32_t origin, int32_t offset) override;
    uint32_t Size() override { return size_; }

    // Reads exactly Size() bytes from source into the buffer, from position 0. The caller sizes the
    // stream first (Allocate).
    bool ReadFrom(Stream& source);
    // Writes all Size() bytes to target.
    bool WriteTo(Stream& target) const;

    // zlib compress (default level) of the whole data into target, which is re-allocated for the
    // compressed form; target's size becomes the compressed length.
    bool CompressTo(MemoryStream& target) const;
    // Replaces the data by its compressed form, position 0; unchanged on failure.
    bool Compress();
    // zlib uncompress of the whole data into target's buffer. Succeeds only when the data inflates to
    // exactly target's size; target's size is not changed.
    bool UncompressTo(MemoryStream& target) const;
    // Replaces the data by its inflated form of at most uncompressedSize bytes, position 0; unchanged on
    // failure (including sizes above kMaxUncompressedSize).
    bool Uncompress(uint32_t uncompressedSize);
    // The name the resource loaders use for Uncompress.
    bool Inflate(uint32_t uncompressedSize) { return Uncompress(uncompressedSize); }

private:
    bool Grow(uint32_t needed);
    void Swap(MemoryStream& other) noexcept;

    uint32_t capacity_ = 0;
    uint32_t size_ = 0;
    uint32_t position_ = 0;
    std::unique_ptr<uint8_t[]> buffer_;
};

}  // namespace quill
