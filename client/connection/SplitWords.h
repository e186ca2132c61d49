#pragma once
// Splitting a chat line into words, for the operator commands. Words are separated by runs of blanks
// (space, tab, line ends); the last wanted word takes the rest of the line, blanks included. Each word
// is cut to kMaxWordLength characters, so no line, however long, makes a word longer than that.
#include <cstddef>
#include <cstdint>
#include <span>

#include "QuillLib/core/WString.h"

namespace kestrovan {

inline constexpr size_t kMaxWordLength = 250;

// Fills up to words.size() words from text; returns how many were found (0 for an empty or blank text).
size_t SplitWords(quill::WStringView text, std::span<quill::WString> words);

// The decimal number at the start of text after leading blanks, with an optional sign; 0 when there are
// no digits; values beyond the 32-bit range are held at its ends.
int32_t ParseDecimal(quill::WStringView text);

}  // namespace kestrovan
