#include "QuillLib/resource/ResourceFields.h"

#include "QuillLib/core/StreamFields.h"

namespace quill {

bool ReadU8(Stream& stream, uint8_t& value) {
    return stream.Read(&value, 1) == 1;
}

bool WriteU8(Stream& stream, uint8_t value) {
    return stream.Write(&value, 1) == 1;
}

bool ReadU16(Stream& stream, uint16_t& value) {
    uint8_t bytes[2];
    if (stream.Read(bytes, 2) != 2) {
        return false;
    }
    value = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    return true;
}

bool WriteU16(Stream& stream, uint16_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return stream.Write(bytes, 2) == 2;
}

bool WriteIndex(Stream& stream, uint32_t& counter) {
    if (!WriteU32(stream, counter)) {
        return false;
    }
    ++counter;
    return true;
}

uint32_t BytesLeft(Stream& stream) {
    const uint32_t position = stream.Tell();
    const uint32_t size = stream.Size();
    if (position == Stream::kCannotTell || position > size) {
        return 0;
    }
    return size - position;
}

bool CanHold(Stream& stream, uint64_t count, uint64_t recordSize) {
    return count * recordSize <= BytesLeft(stream);
}

}  // namespace quill
