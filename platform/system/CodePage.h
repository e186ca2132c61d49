#pragma once
// Conversions between wide text (UTF-16) and the two 8-bit encodings the program meets:
// UTF-8 (paths, logs, the console) and the system code page CP949 (fixed text fields in files, byte counts
// of edit limits, form posts).
//
// They behave like the Windows conversions with no flags and no default character: a character that the
// target cannot represent becomes '?', an invalid input sequence is replaced ('?' in the code page and in
// UTF-16, U+FFFD in UTF-8), and a conversion into a caller's buffer fails (returns 0) only when the output
// does not fit.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/system/WString.h"

namespace platform {

std::string Utf16ToUtf8(WStringView text);
WString Utf8ToUtf16(std::string_view text);

// Converts exactly the characters of text (a terminator is converted only when text holds one) into
// buffer. Returns the bytes written, or 0 when they do not fit in bufferSize bytes or text is empty.
// Nothing is written beyond the converted bytes: no terminator is added.
size_t WideToCodePage(WStringView text, char* buffer, size_t bufferSize);

// Converts exactly the bytes of text into buffer. Returns the UTF-16 units written, or 0 when they do not
// fit in bufferChars units or text is empty.
size_t CodePageToWide(std::string_view text, char16_t* buffer, size_t bufferChars);

std::string ToCodePage(WStringView text);
WString FromCodePage(std::string_view text);

}  // namespace platform
