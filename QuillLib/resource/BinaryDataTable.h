#pragma once
// The BINARY_DATA table. Body: [name Text260, unpacked only] u32 size, size bytes.
#include "QuillLib/resource/BinaryData.h"
#include "QuillLib/resource/ResourceTableImpl.h"

namespace quill {

class BinaryDataTable : public ResourceTableImpl<BinaryData> {
public:
    BinaryDataTable(ResourceFile* owner, WString name)
        : ResourceTableImpl(owner, std::move(name), ResourceKind::BinaryData) {}

protected:
    SharedPtr<BinaryData> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<BinaryData>& item, bool packed) override;
};

}  // namespace quill
