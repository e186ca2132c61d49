#pragma once
// The data manifest: one line per item (or per range of items) that mkdata builds.
//
//   # comment
//   <package> <resource file> <KIND> <id | first-last> <maker> [key=value ...]
//
// Several packages or files separated by commas get the same items. KIND is a resource kind's long name (TEXTURE, MODEL, SCENE_INFO, SOUND, ...). A range makes one item per
// id with the same maker and arguments; the maker sees the id. A value with blanks is written in double
// quotes (text="Good shot"). Blank lines and text after '#' outside quotes are ignored.
#include <string>
#include <vector>

#include "tools/mkdata/ManifestEntry.h"

namespace mkdata {

class Manifest {
public:
    // Parses the text; false with the first problem in Error() (with its line number).
    bool Parse(const std::string& text);
    bool Load(const std::string& path);

    const std::vector<ManifestEntry>& Entries() const { return entries_; }
    const std::string& Error() const { return error_; }

private:
    bool ParseLine(const std::string& line, uint32_t number);
    bool Fail(uint32_t line, const std::string& message);

    std::vector<ManifestEntry> entries_;
    std::string error_;
};

// Splits a line into words at blanks; double quotes group (and are removed); '#' outside quotes ends the
// line. False on an unclosed quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words);

}  // namespace mkdata
