#include "QuillLib/resource/PackageWriter.h"

#include "QuillLib/core/AtomicFileWriter.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/IdHeaderExport.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourcePath.h"

namespace quill {
namespace {

constexpr uint32_t kIndexEntrySize = Package::kIndexNameWidth + 4;

// Writes count placeholder words; the real values are filled in once known.
bool WritePlaceholders(Stream& out, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        if (!WriteU32(out, kNone)) {
            return false;
        }
    }
    return true;
}

// Overwrites the word at position and returns to the end of the stream.
bool PatchWord(Stream& out, uint32_t position, uint32_t value) {
    return SeekTo(out, position) && WriteU32(out, value) && out.Seek(Stream::kFromEnd, 0);
}

// The table body before its entries: running index, item count, one offset slot per item. The slots
// are filled by the export of the items.
bool WriteTable(Stream& out, ResourceTable& table, uint32_t tableIndex, std::FILE* header) {
    if (!WriteU32(out, tableIndex) || !WriteU32(out, table.GetCount())) {
        return false;
    }
    uint32_t offsetCursor = out.Tell();
    if (offsetCursor == Stream::kCannotTell || !WritePlaceholders(out, table.GetCount())) {
        return false;
    }
    return table.ExportItems(header, out, offsetCursor) && out.Seek(Stream::kFromEnd, 0);
}

// Closes the file's enumeration of items and adds the sections of the kinds that have their own.
bool WriteKindSections(std::FILE* header, ResourceFile& file) {
    if (!WriteHeaderText(header, u"\t};\n\n")) {
        return false;
    }
    for (uint32_t kind = 0; kind < kResourceKindCount; ++kind) {
        if (IsKindPresent(file.GetVersion(), static_cast<ResourceKind>(kind)) &&
            !file.GetTable(kind)->WriteIdHeader(header)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool PackageWriter::AddFile(ResourceFile& file) {
    for (const ResourceFile* added : files_) {
        if (ToLowerString(added->Name()) == ToLowerString(file.Name())) {
            return false;
        }
    }
    files_.push_back(&file);
    return true;
}

bool PackageWriter::Write(Stream& out, std::FILE* header) {
    if (!WriteU32(out, static_cast<uint32_t>(files_.size()))) {
        return false;
    }
    for (const ResourceFile* file : files_) {
        if (!WriteFixedString(out, file->Name(), Package::kIndexNameWidth, true) || !WriteU32(out, kNone)) {
            return false;
        }
    }
    for (size_t i = 0; i < files_.size(); ++i) {
        const uint32_t offset = out.Tell();
        if (offset == Stream::kCannotTell) {
            return false;
        }
        if (!PatchWord(out, 4 + static_cast<uint32_t>(i) * kIndexEntrySize + Package::kIndexNameWidth, offset)) {
            return false;
        }
        if (!WriteResourceFile(out, *files_[i], header)) {
            return false;
        }
    }
    return true;
}

bool PackageWriter::WriteFile(WStringView path, std::FILE* header) {
    AtomicFileWriter out{WString(path)};
    return out.Open() && Write(out, header) && out.Commit();
}

bool PackageWriter::WriteResourceFile(Stream& out, ResourceFile& file, std::FILE* header) {
    const WString enumName = MakeIdentifier(ToUpperString(file.Name()));
    if (header && !WriteHeaderText(header, Format(u"\tenum %s_ID\n\t{\n", enumName))) {
        return false;
    }
    const uint32_t version = file.GetVersion();
    const uint32_t headerStart = out.Tell();
    if (headerStart == Stream::kCannotTell || !WriteU32(out, version)) {
        return false;
    }
    if (!WriteU32(out, TableCountForVersion(version)) || !WritePlaceholders(out, TableCountForVersion(version))) {
        return false;
    }
    uint32_t tableIndex = 0;
    for (uint32_t kind = 0; kind < kResourceKindCount; ++kind) {
        if (!IsKindPresent(version, static_cast<ResourceKind>(kind))) {
            continue;
        }
        const uint32_t tableStart = out.Tell();
        if (tableStart == Stream::kCannotTell || !PatchWord(out, headerStart + 8 + tableIndex * 4, tableStart)) {
            return false;
        }
        if (!WriteTable(out, *file.GetTable(kind), tableIndex++, header)) {
            return false;
        }
    }
    return !header || WriteKindSections(header, file);
}

}  // namespace quill
