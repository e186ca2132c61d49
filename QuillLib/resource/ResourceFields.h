#pragma once
// Field readers and writers of the resource layer, beside the 4-byte fields of StreamFields.h. Each is
// true only when the stream moved exactly the stated number of bytes.
#include <cstdint>

#include "QuillLib/core/Stream.h"

namespace quill {

bool ReadU8(Stream& stream, uint8_t& value);
bool WriteU8(Stream& stream, uint8_t value);
bool ReadU16(Stream& stream, uint16_t& value);
bool WriteU16(Stream& stream, uint16_t value);
// Writes the counter as u32, then counts it up; a short write leaves it unchanged.
bool WriteIndex(Stream& stream, uint32_t& counter);

// The bytes between the position and the end; 0 when the stream cannot tell its position.
uint32_t BytesLeft(Stream& stream);
// Whether count records of recordSize bytes can still be read. Counts and sizes read from a file are
// checked with it before anything is allocated for them, so a damaged file fails its load instead of
// exhausting memory.
bool CanHold(Stream& stream, uint64_t count, uint64_t recordSize);

}  // namespace quill
