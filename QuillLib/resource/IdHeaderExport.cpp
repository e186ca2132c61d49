#include "QuillLib/resource/IdHeaderExport.h"

#include <string>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourceFields.h"
#include "platform/system/CodePage.h"

namespace quill {
namespace {

bool IsIdentifierChar(char16_t c) {
    return c >= 128 || c == u'_' || (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Stores position in the item-offset slot at the cursor and comes back to it.
bool FillOffsetSlot(Stream& out, uint32_t& offsetCursor, uint32_t position) {
    if (!SeekTo(out, offsetCursor) || !WriteU32(out, position) || !SeekTo(out, position)) {
        return false;
    }
    offsetCursor += 4;
    return true;
}

}  // namespace

WString MakeIdentifier(WStringView name) {
    WString identifier(name);
    for (char16_t& c : identifier) {
        if (!IsIdentifierChar(c)) {
            c = u'_';
        }
    }
    return identifier;
}

bool WriteHeaderText(std::FILE* header, WStringView text) {
    if (header == nullptr) {
        return false;
    }
    const std::string utf8 = platform::Utf16ToUtf8(text);
    return std::fwrite(utf8.data(), 1, utf8.size(), header) == utf8.size();
}

bool ExportItem(std::FILE* header, Stream& out, uint32_t& offsetCursor, const ExportedItem& item, MemoryStream& body,
                uint32_t& runningIndex) {
    if (header) {
        const WString line =
            Format(u"\t\t%s_%s = %d,\n", item.kindShortName, MakeIdentifier(item.name), static_cast<int32_t>(item.id));
        if (!WriteHeaderText(header, line)) {
            return false;
        }
    }
    const uint32_t position = out.Tell();
    if (position == Stream::kCannotTell || !FillOffsetSlot(out, offsetCursor, position)) {
        return false;
    }
    if (!WriteIndex(out, runningIndex) || !WriteU32(out, item.id) || !WriteU32(out, body.Size())) {
        return false;
    }
    if (item.compressed && (!body.Compress() || !WriteU32(out, body.Size()))) {
        return false;
    }
    return body.WriteTo(out);
}

}  // namespace quill
