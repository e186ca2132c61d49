#pragma once
// The filtered chat words and the filter itself. The list is process-wide: the scene manager fills it at
// start from the package "Lang" (main thread) and the chat handlers read it (dispatch thread) afterwards.
#include <cstddef>
#include <vector>

#include "QuillLib/core/WString.h"

namespace kestrovan {

std::vector<quill::WString>& FilteredWords();
// Appends one word to the list.
void AddCensorWord(quill::WStringView word);

// Masks every filtered word among the Hangul syllables of the first maxLength characters of text with
// '?', matching across whatever stands between the syllables. True when a word was found.
bool CensorWords(char16_t* text, size_t maxLength, const std::vector<quill::WString>& words);
inline bool CensorWords(char16_t* text, size_t maxLength) {
    return CensorWords(text, maxLength, FilteredWords());
}

// The words of a "Lang" item: lines of 8-bit text in the system code page, split at CR and LF, empty lines
// skipped, each line converted to at most 260 characters.
std::vector<quill::WString> ParseWordList(const uint8_t* bytes, size_t size);

}  // namespace kestrovan
