#pragma once
// The typed fields that resource files and packages are made of. Each operation takes the stream first and
// is true only when every underlying Read or Write moved its full count; it stops at the first short
// transfer, leaving the stream after the bytes already moved.
//
// Layouts:
//   4-byte value   little-endian; integers two's complement, floats IEEE 754 single precision.
//   vector N       N 4-byte floats in component order (x, y, z, w); Float4 is the same as Vector4.
//   fixed text     N bytes: the text in the system code page without terminator, zero-filled up to N.
//                  A text of exactly N bytes has no zero byte; a longer one fails the write.
//   scrambled text N bytes: the first N - 1 hold the scrambled text and its zero fill, the last holds the
//                  key (0..254). Package index names use N = 16, so at most 15 bytes of text.
#include <cstdint>

#include "QuillLib/core/Stream.h"
#include "QuillLib/core/WString.h"

namespace quill {

// The standard width of a fixed text field (a Windows path).
constexpr uint32_t kFixedStringWidth = 260;

// Moves the cursor to position bytes from the start; false, the cursor unmoved, past what a seek can reach.
bool SeekTo(Stream& stream, uint32_t position);

bool ReadU32(Stream& stream, uint32_t& value);
bool WriteU32(Stream& stream, uint32_t value);
bool ReadI32(Stream& stream, int32_t& value);
bool WriteI32(Stream& stream, int32_t value);
bool ReadF32(Stream& stream, float& value);
bool WriteF32(Stream& stream, float value);

// Components that arrived before a short read are stored.
bool ReadVector2(Stream& stream, float* values);
bool WriteVector2(Stream& stream, const float* values);
bool ReadVector3(Stream& stream, float* values);
bool WriteVector3(Stream& stream, const float* values);
bool ReadVector4(Stream& stream, float* values);
bool WriteVector4(Stream& stream, const float* values);
bool ReadFloat4(Stream& stream, float* values);
bool WriteFloat4(Stream& stream, const float* values);

// Writes one fixed text field of width bytes; when scramble is set, with a fresh key drawn from the
// runtime's rand. Nothing is written when the text does not fit: width bytes, or width - 1 when scrambled.
bool WriteFixedString(Stream& stream, WStringView text, uint32_t width, bool scramble);
// WriteFixedString with an explicit key (0..255; the writer draws 0..254).
bool WriteScrambledString(Stream& stream, WStringView text, uint32_t width, uint8_t key);
bool WriteFixedString260(Stream& stream, WStringView text);

// Reads one fixed text field: the text is the bytes before the first zero byte. On a short read the text
// is left unchanged.
bool ReadFixedString(Stream& stream, WString& text, uint32_t width, bool scramble);
bool ReadScrambledString(Stream& stream, WString& text, uint32_t width);
bool ReadFixedString260(Stream& stream, WString& text);

}  // namespace quill
