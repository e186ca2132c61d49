#pragma once
// Windows paths at the edge of the file system. The program names its files the Windows way
// ("Data\\Pack.tpk", relative to the working folder, any letter case); the Linux file system wants UTF-8,
// "/" separators and the exact case of every name.
#include <cstdio>
#include <string>

#include "platform/system/WString.h"

namespace platform {

// The UTF-8 Linux path of a Windows path: "\" becomes "/". When the path does not exist as written, each
// component is matched against its folder without regard to ASCII letter case ("DATA\\Foo.TPK" finds
// data/foo.tpk); the components from the first one that matches nothing are kept as written, so a file
// about to be created keeps its name inside a folder found case-insensitively. Relative paths stay
// relative to the working folder.
std::string NativePath(WStringView windowsPath);

// fopen of NativePath(path) with the C library's mode string ("rb", "wb", "wt", ...).
// Null when the file cannot be opened.
FILE* OpenFile(WStringView path, const char* mode);

// Opens a regular file for reading ("rb"); null for anything else. A FIFO or a device under a data file's
// name would block the open or the reads for ever, so the file is opened without waiting and looked at
// before it is used.
FILE* OpenRegularFile(WStringView path);
// The same for a Linux path, taken as it stands.
FILE* OpenRegularNativeFile(const std::string& nativePath);

}  // namespace platform
