#pragma once
// Texts into fixed fields: a text from the server or a user cut to a field's length in UTF-16 units, never
// between the two halves of a character. Pure.
#include <cstddef>

#include "QuillLib/core/WString.h"

namespace kestrovan {

// A nickname's field in the server's messages and the records read from them, in UTF-16 units.
inline constexpr size_t kNicknameLength = 63;

// text cut to at most length UTF-16 units, never between the two halves of a character.
quill::WString CutToLength(quill::WStringView text, size_t length);

}  // namespace kestrovan
