#pragma once
// The bytes a VorbisFile decodes: read, seek and tell over whatever holds the Ogg data. Seek origins are
// those of the C library (0 from the start, 1 from the current position, 2 from the end).
#include <cstddef>
#include <cstdint>

namespace platform {

class VorbisSource {
public:
    virtual ~VorbisSource() = default;
    // Bytes read; 0 at the end.
    virtual size_t Read(void* buffer, size_t bytes) = 0;
    virtual bool Seek(int64_t offset, int origin) = 0;
    virtual int64_t Tell() = 0;
};

}  // namespace platform
