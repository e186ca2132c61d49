#pragma once
// Fitting a text that came from outside into a fixed field of the screens: the record readers of the login,
// the profile and the community windows cut what the server sends to the fields the screens keep.
#include <cstddef>

#include "QuillLib/core/WString.h"

namespace kestrovan {

// text cut to at most length UTF-16 units, never between the two halves of a character.
quill::WString CutToLength(quill::WStringView text, size_t length);

}  // namespace kestrovan
