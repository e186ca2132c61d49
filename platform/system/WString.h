#pragma once
// Wide text is UTF-16 everywhere in the program: stored, sent and measured in 16-bit units.
// (wchar_t is 4 bytes on Linux and is never used for such text.)
#include <string>
#include <string_view>

namespace platform {

using WString = std::u16string;
using WStringView = std::u16string_view;

}  // namespace platform
