#include "QuillLib/resource/StringTableTable.h"

#include "QuillLib/core/Format.h"
#include "QuillLib/resource/ResourcePath.h"

namespace quill {
namespace {

constexpr uint32_t kEntrySize = 2 * kFixedStringWidth;

bool WriteTableHeader(std::FILE* header, const StringTable& table) {
    if (!WriteHeaderText(header, Format(u"\tenum %s\n\t{\n", ToUpperString(table.name)))) {
        return false;
    }
    int32_t position = 0;
    for (const StringTable::Entry& entry : table.Entries()) {
        if (!WriteHeaderText(header, Format(u"\t\t%s = %d,\n", MakeIdentifier(entry.first), position++))) {
            return false;
        }
    }
    return WriteHeaderText(header, u"\t};\n\n");
}

}  // namespace

bool StringTableTable::WriteIdHeader(std::FILE* header) {
    for (const auto& [id, table] : Items()) {
        if (!table->Entries().empty() && !WriteTableHeader(header, *table)) {
            return false;
        }
    }
    return true;
}

SharedPtr<StringTable> StringTableTable::LoadBody(Stream& body, Stream& /*file*/, bool packed) {
    WString name;
    if (!packed && !ReadFixedString260(body, name)) {
        return {};
    }
    SharedPtr<StringTable> item = quill::make_shared<StringTable>(name);
    uint32_t count = 0;
    if (!ReadU32(body, count) || !CanHold(body, count, kEntrySize)) {
        return {};
    }
    item->Entries().reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        StringTable::Entry entry;
        if (!ReadFixedString260(body, entry.first) || !ReadFixedString260(body, entry.second)) {
            return {};
        }
        item->Entries().push_back(std::move(entry));
    }
    return item;
}

bool StringTableTable::SaveBody(Stream& out, const SharedPtr<StringTable>& item, bool packed) {
    if (!packed && !WriteFixedString260(out, item->name)) {
        return false;
    }
    if (!WriteU32(out, static_cast<uint32_t>(item->Entries().size()))) {
        return false;
    }
    for (const StringTable::Entry& entry : item->Entries()) {
        if (!WriteFixedString260(out, entry.first) || !WriteFixedString260(out, entry.second)) {
            return false;
        }
    }
    return true;
}

}  // namespace quill
