#pragma once
// Name and path functions of the resource system: case folding of resource and package names (ASCII
// only, so names differing in a non-ASCII letter's case stay different keys) and splitting of Windows
// paths at their last backslash or dot. Nothing here touches the file system.
#include "QuillLib/core/WString.h"

namespace quill {

char16_t ToLowerChar(char16_t c);
char16_t ToUpperChar(char16_t c);
WString ToLowerString(WStringView text);
WString ToUpperString(WStringView text);

// The text after the last backslash; the whole path when it has none.
WString GetFileName(WStringView path);
// GetFileName cut before its last dot; the whole file name when it has none.
WString GetBaseName(WStringView path);
// The text after the last dot of the whole path (a dot in a folder counts); the whole path when it has none.
WString GetFileExtension(WStringView path);
// The text before the last backslash; "." when there is none.
WString GetDirectory(WStringView path);
// "." followed by the rest of path when path lies inside base ("E:\Game", "E:\Game\Data\a.tga" gives
// ".\Data\a.tga"); path unchanged otherwise. Only a whole folder name matches: "E:\Games\a.tga" is not
// inside "E:\Game".
WString MakeRelativePath(WStringView base, WStringView path);
// Appends ".tpk" when the path contains no dot at all (in a folder name either).
void EnsurePackageExtension(WString& path);

}  // namespace quill
