#pragma once
// The engine's byte-stream interface. Every resource loader and saver reads and writes through it, usually
// with the typed fields of StreamFields.h; a transfer that moves fewer bytes than asked is a failed load.
#include <cstdint>

namespace quill {

class Stream {
public:
    // Origins of Seek.
    static constexpr uint32_t kFromBegin = 0;
    static constexpr uint32_t kFromCurrent = 1;
    static constexpr uint32_t kFromEnd = 2;

    // What Tell returns when the stream cannot tell its position (a closed file, a position beyond 4 GiB).
    static constexpr uint32_t kCannotTell = 0xFFFFFFFF;

    virtual ~Stream() = default;

    // Returns the number of bytes read.
    virtual uint32_t Read(void* buffer, uint32_t count) = 0;
    // Returns the number of bytes written.
    virtual uint32_t Write(const void* buffer, uint32_t count) = 0;
    virtual uint32_t Tell() = 0;
    // True exactly when the seek succeeded; false for an origin other than the three above.
    virtual bool Seek(uint32_t origin, int32_t offset) = 0;
    // The total length in bytes.
    virtual uint32_t Size() = 0;

protected:
    Stream() = default;
    Stream(const Stream&) = default;
    Stream& operator=(const Stream&) = default;
};

}  // namespace quill
