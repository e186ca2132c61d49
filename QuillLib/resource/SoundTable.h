#pragma once
// The SOUND table.
// Packed body:   u16 format, u32 size, size bytes: the whole sound file.
// Unpacked body: name Text260, u16 format, path Text260: the file's path relative to the working folder;
//                no sound data.
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/SoundResource.h"

namespace quill {

class SoundTable : public ResourceTableImpl<SoundResource> {
public:
    SoundTable(ResourceFile* owner, WString name) : ResourceTableImpl(owner, std::move(name), ResourceKind::Sound) {}

protected:
    SharedPtr<SoundResource> LoadBody(Stream& body, Stream& file, bool packed) override;
    // Packed: an item with a source file writes that file as it is now on disk; an item without one
    // writes the bytes it holds. The item itself is not changed.
    bool SaveBody(Stream& out, const SharedPtr<SoundResource>& item, bool packed) override;

private:
    static SharedPtr<SoundResource> LoadPacked(Stream& body);
    static SharedPtr<SoundResource> LoadUnpacked(Stream& body);
    static bool SavePacked(Stream& out, SoundResource& item);
    static bool SaveUnpacked(Stream& out, const SoundResource& item);
};

}  // namespace quill
