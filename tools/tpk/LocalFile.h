#pragma once
// Whole files of the local file system for the package tool, named by the bytes the command line gave
// (which need not be UTF-8), with every failure put in words: a missing file is "no such file", a folder
// "a folder, not a file", anything else the system's reason.
#include <filesystem>
#include <string>
#include <string_view>

#include "QuillLib/core/MemoryStream.h"

namespace tpk {

class LocalFile {
public:
    // Reads the whole file into bytes. False with the reason in error.
    static bool Read(const std::filesystem::path& path, quill::MemoryStream& bytes, std::string& error);
    // Replaces the file with bytes: they go to a new file beside it, which takes its name only once
    // complete, so a failure leaves an older version as it was. False with the reason in error.
    static bool Replace(const std::filesystem::path& path, std::string_view bytes, std::string& error);
    // The path as text for messages: UTF-8, with any byte that is not replaced by U+FFFD.
    static std::string Display(const std::filesystem::path& path);
};

}  // namespace tpk
