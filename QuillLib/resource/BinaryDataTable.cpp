#include "QuillLib/resource/BinaryDataTable.h"

namespace quill {

SharedPtr<BinaryData> BinaryDataTable::LoadBody(Stream& body, Stream& /*file*/, bool packed) {
    WString name;
    if (!packed && !ReadFixedString260(body, name)) {
        return {};
    }
    SharedPtr<BinaryData> item = quill::make_shared<BinaryData>(name);
    uint32_t size = 0;
    if (!ReadU32(body, size) || !CanHold(body, size, 1)) {
        return {};
    }
    if (!item->Data().Allocate(size) || !item->Data().ReadFrom(body)) {
        return {};
    }
    return item;
}

bool BinaryDataTable::SaveBody(Stream& out, const SharedPtr<BinaryData>& item, bool packed) {
    if (!packed && !WriteFixedString260(out, item->name)) {
        return false;
    }
    return WriteU32(out, item->Data().Size()) && item->Data().WriteTo(out);
}

}  // namespace quill
