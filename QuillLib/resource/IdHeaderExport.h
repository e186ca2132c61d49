#pragma once
// The export of packed resource files with identifier headers: every exported item is written as an
// item entry of the resource file and listed in a text file as an enumeration entry, so that program
// code can name items by constant instead of by number.
//
// Header text is UTF-8 with LF line ends. The lines before the first and after the last entry are the
// caller's.
#include <cstdint>
#include <cstdio>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/Stream.h"
#include "QuillLib/core/WString.h"

namespace quill {

// A copy of name in which every character below 128 that is neither '_', a digit nor an ASCII letter
// becomes '_'; characters from 128 up are kept.
WString MakeIdentifier(WStringView name);

// Writes text to the header file; false when the write fails.
bool WriteHeaderText(std::FILE* header, WStringView text);

// What the per-item export step needs to know of the item and its table.
struct ExportedItem {
    WStringView kindShortName;
    uint32_t id;
    WStringView name;
    bool compressed;  // the kind's records are zlib streams
};

// The per-item step: writes the header line "\t\t<short name>_<identifier> = <id>,\n" (when header is
// not null), stores the entry's position in the item-offset slot at offsetCursor (advancing it by 4),
// and appends the item entry: running index (counted up), id, body size and, for compressed kinds, the
// compressed size and the body compressed in place; otherwise the raw body.
bool ExportItem(std::FILE* header, Stream& out, uint32_t& offsetCursor, const ExportedItem& item, MemoryStream& body,
                uint32_t& runningIndex);

}  // namespace quill
