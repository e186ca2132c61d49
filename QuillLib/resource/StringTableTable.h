#pragma once
// The STRING_TABLE table. Body: [name Text260, unpacked only] u32 count, count x (key Text260,
// text Text260). Its identifier header lists each table's keys as an enumeration of their positions.
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/StringTable.h"

namespace quill {

class StringTableTable : public ResourceTableImpl<StringTable> {
public:
    StringTableTable(ResourceFile* owner, WString name)
        : ResourceTableImpl(owner, std::move(name), ResourceKind::StringTable) {}

    // For every table with entries, in id order: "\tenum <NAME>\n\t{\n", one "\t\t<key> = <position>,\n"
    // per entry and "\t};\n\n".
    bool WriteIdHeader(std::FILE* header) override;

protected:
    SharedPtr<StringTable> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<StringTable>& item, bool packed) override;
};

}  // namespace quill
