#pragma once
// The engine's conversions between wide text and the system code page, with fixed-size buffers, and the direct
// conversions between wide text and UTF-8 that the log and the formatter make for every line.
#include <cstddef>
#include <string>
#include <string_view>

#include "QuillLib/core/WString.h"

namespace quill {

// Whether a UTF-16 unit opens or closes a surrogate pair.
constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Replaces out with text in UTF-8, keeping out's storage: no code page and no converter are involved, so any
// thread may convert as often as it likes. A unit that is not part of a valid surrogate pair becomes U+FFFD,
// as in platform::Utf16ToUtf8.
void WideToUtf8(WStringView text, std::string& out);

// Replaces out with the UTF-8 text in UTF-16, keeping out's storage. Each byte that does not start a
// well-formed sequence becomes U+FFFD and the next byte is read; a sequence cut off by the end of the text
// (continuation bytes only, too few) becomes one U+FFFD. The same result as platform::Utf8ToUtf16.
void Utf8ToWide(std::string_view text, WString& out);

// Fills size bytes of buffer with zeros, then converts the characters of text (without terminator) into
// it. Returns the bytes written; the result is terminated only when it is shorter than the buffer, so
// callers pass a buffer longer than the text. 0, with the buffer all zeros, when the text is empty or
// does not fit.
size_t WideToMultiByte(WStringView text, char* buffer, size_t size);

// Fills chars units of buffer with zeros, then converts the terminated text, terminator included.
// Returns the units written including the terminator; 0, with the buffer all zeros, when they do not fit.
size_t MultiByteToWide(const char* text, char16_t* buffer, size_t chars);

}  // namespace quill
