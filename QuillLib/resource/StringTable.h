#pragma once
// The STRING_TABLE item: (key, text) pairs in load order. Equal keys all stay.
#include <utility>
#include <vector>

#include "QuillLib/core/NamedObject.h"

namespace quill {

class StringTable : public NamedObject {
public:
    using Entry = std::pair<WString, WString>;  // key, text

    explicit StringTable(WStringView name = {}) : NamedObject(name) {}
    // Copies the entries only: the copy has no id and no name.
    StringTable(const StringTable& other) : NamedObject(), entries_(other.entries_) {}
    StringTable& operator=(const StringTable&) = delete;

    StringTable* Clone() const override { return new StringTable(*this); }

    std::vector<Entry>& Entries() { return entries_; }
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace quill
