#pragma once
// The working folder in the program's Windows path form, for the unpacked item bodies that store file
// paths relative to it.
#include "QuillLib/core/WString.h"

namespace quill {

// The current working folder with backslash separators ("/home/a/game" reads "\home\a\game"); empty
// when it cannot be had.
WString GetWorkingFolder();

// path made absolute against the working folder, with "." and ".." components resolved. An absolute
// path is only normalised. False, leaving full unchanged, for an empty path or an unknown working folder.
bool GetFullPath(WStringView path, WString& full);

}  // namespace quill
