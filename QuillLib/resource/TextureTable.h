#pragma once
// The TEXTURE table. Its records are not compressed as a whole; each image of a packed body carries its
// own zlib stream instead.
// Body: [name Text260, unpacked] u16 addressU, u16 addressV, u32 colorKey, u16 alphaMode, u16 mipLevels
// (1 for a render target), u8 compressFlag, u16 imageCount, then per image u16 key and
//   packed:   u32 width, u32 height, u32 size (0: nothing follows, no image), u32 compressedSize,
//             compressedSize bytes of zlib data inflating to size bytes of an image file;
//   unpacked: Text260 path of the image file, relative to the working folder.
// The items it loads make their device textures through the table's device, which may be set later.
#include "QuillLib/resource/ResourceTableImpl.h"
#include "QuillLib/resource/Texture.h"

namespace quill {

class ResourceDevice;

class TextureTable : public ResourceTableImpl<Texture> {
public:
    TextureTable(ResourceFile* owner, WString name)
        : ResourceTableImpl(owner, std::move(name), ResourceKind::Texture) {}

    // The device of the items loaded from now on and of every item held now (which release what they made
    // on another device).
    void SetDevice(ResourceDevice* device);
    ResourceDevice* GetDevice() const { return device_; }
    // Gives back every item's device texture; the items stay loaded.
    void ReleaseAll();

protected:
    SharedPtr<Texture> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<Texture>& item, bool packed) override;

private:
    // file: the stream the body is read from (the package file, or memory).
    bool ReadImages(Stream& body, Stream& file, Texture& texture, bool packed);
    static bool WritePackedImage(Stream& out, Texture& texture, uint16_t key);

    ResourceDevice* device_ = nullptr;
};

}  // namespace quill
