#include "QuillLib/resource/SoundTable.h"

#include "QuillLib/resource/ResourcePath.h"
#include "QuillLib/resource/WorkingFolder.h"

namespace quill {
namespace {

bool WriteSoundData(Stream& out, uint16_t format, MemoryStream& data) {
    return WriteU16(out, format) && WriteU32(out, data.Size()) && data.WriteTo(out);
}

}  // namespace

SharedPtr<SoundResource> SoundTable::LoadBody(Stream& body, Stream& /*file*/, bool packed) {
    return packed ? LoadPacked(body) : LoadUnpacked(body);
}

bool SoundTable::SaveBody(Stream& out, const SharedPtr<SoundResource>& item, bool packed) {
    return packed ? SavePacked(out, *item) : SaveUnpacked(out, *item);
}

SharedPtr<SoundResource> SoundTable::LoadPacked(Stream& body) {
    uint16_t format = 0;
    uint32_t size = 0;
    if (!ReadU16(body, format) || !ReadU32(body, size) || !CanHold(body, size, 1)) {
        return {};
    }
    SharedPtr<SoundResource> item = quill::make_shared<SoundResource>(WString(), format);
    if (!item->AllocateData(size) || !item->Data().ReadFrom(body)) {
        return {};
    }
    return item;
}

SharedPtr<SoundResource> SoundTable::LoadUnpacked(Stream& body) {
    WString name;
    uint16_t format = 0;
    WString path;
    if (!ReadFixedString260(body, name) || !ReadU16(body, format) || !ReadFixedString260(body, path)) {
        return {};
    }
    GetFullPath(path, path);  // a path that cannot be made absolute is kept as read
    SharedPtr<SoundResource> item = quill::make_shared<SoundResource>(name, format);
    item->SetSource(path);
    return item;
}

bool SoundTable::SavePacked(Stream& out, SoundResource& item) {
    if (item.Source().empty()) {
        return WriteSoundData(out, item.Format(), item.Data());
    }
    // Read into a scratch item, so that the bytes the item holds survive the save.
    SoundResource fromFile(item.name, item.Format());
    return fromFile.LoadFile(item.Source()) && WriteSoundData(out, fromFile.Format(), fromFile.Data());
}

bool SoundTable::SaveUnpacked(Stream& out, const SoundResource& item) {
    return WriteFixedString260(out, item.name) && WriteU16(out, item.Format()) &&
           WriteFixedString260(out, MakeRelativePath(GetWorkingFolder(), item.Source()));
}

}  // namespace quill
