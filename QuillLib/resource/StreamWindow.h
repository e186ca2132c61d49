#pragma once
// A view of the next bytes of another stream: an uncompressed item body read in place from the package
// stream, bounded by the record's size field so that its loader cannot read past the record.
//
// Positions are relative to the window's start; reads move the underlying stream, which is left after
// the bytes read. Writing is not supported.
#include <cstdint>

#include "QuillLib/core/Stream.h"

namespace quill {

class StreamWindow : public Stream {
public:
    // The window starts at base's current position and spans length bytes.
    StreamWindow(Stream& base, uint32_t length);

    uint32_t Read(void* buffer, uint32_t count) override;
    uint32_t Write(const void* buffer, uint32_t count) override;
    uint32_t Tell() override;
    bool Seek(uint32_t origin, int32_t offset) override;
    uint32_t Size() override { return length_; }

private:
    Stream& base_;
    uint32_t start_;
    uint32_t length_;
};

}  // namespace quill
