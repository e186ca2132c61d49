#pragma once
// The program's one formatter of wide text, for log lines, messages and every text shown to the user.
// Formats keep their printf meaning for wide formats:
//   %s   text (wide or narrow, whichever the argument is; %hs, %S, %ls and %ws likewise)
//   %c   one UTF-16 unit (%hc, %C: one byte)
//   %d %i %u %o %x %X  integers, of the width the caller passed (%I64d, %ld, %lld, %hd... are accepted)
//   %f %F %e %E %g %G %a %A  floating point;  %p  pointer;  %%  a percent sign
// with the flags "-+ #0", widths, precisions and "*". Narrow text is UTF-8.
// Formatting never fails: a conversion without an argument, or one this formatter does not know, is copied
// to the output as it stands; extra arguments are ignored.
#include <array>
#include <cstddef>
#include <span>

#include "QuillLib/core/FormatArg.h"
#include "QuillLib/core/WString.h"

namespace quill {

WString FormatList(const char16_t* format, std::span<const FormatArg> args);

// Writes at most capacity - 1 units and a terminator into buffer (nothing when capacity is 0); a cut
// never leaves half of a surrogate pair. Returns the length of the whole text, as snprintf does: the text
// was cut when the result is capacity or more.
size_t FormatListTo(char16_t* buffer, size_t capacity, const char16_t* format, std::span<const FormatArg> args);

template <class... Args>
std::array<FormatArg, sizeof...(Args)> MakeFormatArgs(const Args&... args) {
    return {FormatArg(args)...};
}

template <class... Args>
WString Format(const char16_t* format, const Args&... args) {
    return FormatList(format, MakeFormatArgs(args...));
}

template <class... Args>
size_t FormatTo(char16_t* buffer, size_t capacity, const char16_t* format, const Args&... args) {
    return FormatListTo(buffer, capacity, format, MakeFormatArgs(args...));
}

}  // namespace quill
