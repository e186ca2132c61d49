#pragma once
// The engine's conversions between wide text and the system code page, with fixed-size buffers.
#include <cstddef>

#include "QuillLib/core/WString.h"

namespace quill {

// Fills size bytes of buffer with zeros, then converts the characters of text (without terminator) into
// it. Returns the bytes written; the result is terminated only when it is shorter than the buffer, so
// callers pass a buffer longer than the text. 0, with the buffer all zeros, when the text is empty or
// does not fit.
size_t WideToMultiByte(WStringView text, char* buffer, size_t size);

// Fills chars units of buffer with zeros, then converts the terminated text, terminator included.
// Returns the units written including the terminator; 0, with the buffer all zeros, when they do not fit.
size_t MultiByteToWide(const char* text, char16_t* buffer, size_t chars);

}  // namespace quill
