#pragma once
// The BINARY_DATA item: a name and a block of bytes, readable as a stream.
#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/NamedObject.h"

namespace quill {

class BinaryData : public NamedObject {
public:
    explicit BinaryData(WStringView name = {}) : NamedObject(name) {}
    // Copies id, name and bytes.
    BinaryData(const BinaryData&) = default;
    BinaryData& operator=(const BinaryData&) = default;

    BinaryData* Clone() const override { return new BinaryData(*this); }

    MemoryStream& Data() { return data_; }
    const MemoryStream& Data() const { return data_; }

private:
    MemoryStream data_;
};

}  // namespace quill
