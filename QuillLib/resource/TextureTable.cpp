#include "QuillLib/resource/TextureTable.h"

#include "QuillLib/core/FileStream.h"
#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/D3D9TextureItem.h"
#include "QuillLib/resource/ResourcePath.h"
#include "QuillLib/resource/WorkingFolder.h"

namespace quill {
namespace {

// key, width, height and size: an entry without data.
constexpr uint32_t kSmallestPackedImage = 14;

bool ReadSettings(Stream& body, TextureSettings& settings) {
    uint16_t addressU = 0;
    uint16_t addressV = 0;
    if (!ReadU16(body, addressU) || !ReadU16(body, addressV) || !ReadU32(body, settings.colorKey) ||
        !ReadU16(body, settings.alphaMode) || !ReadU16(body, settings.mipLevels) ||
        !ReadU8(body, settings.compressFlag)) {
        return false;
    }
    settings.addressU = static_cast<int16_t>(addressU);
    settings.addressV = static_cast<int16_t>(addressV);
    return true;
}

bool WriteSettings(Stream& out, const TextureSettings& settings) {
    const uint16_t mipLevels = settings.renderTarget ? 1 : settings.mipLevels;
    return WriteU16(out, static_cast<uint16_t>(settings.addressU)) &&
           WriteU16(out, static_cast<uint16_t>(settings.addressV)) && WriteU32(out, settings.colorKey) &&
           WriteU16(out, settings.alphaMode) && WriteU16(out, mipLevels) && WriteU8(out, settings.compressFlag);
}

}  // namespace

void TextureTable::SetDevice(ResourceDevice* device) {
    device_ = device;
    for (const auto& [id, texture] : Items()) {
        texture->SetDevice(device);
    }
}

void TextureTable::ReleaseAll() {
    for (const auto& [id, texture] : Items()) {
        texture->ReleaseAll();
    }
}

SharedPtr<Texture> TextureTable::LoadBody(Stream& body, Stream& file, bool packed) {
    WString name;
    TextureSettings settings;
    if (!ReadItemName(body, packed, name) || !ReadSettings(body, settings)) {
        return {};
    }
    settings.keepCompressed = packed && settings.compressFlag != 0 ? 1 : 0;
    SharedPtr<Texture> texture = quill::make_shared<D3D9TextureItem>(device_, name, settings);
    // A body lists every image the texture has; the empty image a new texture starts with is not one.
    texture->ClearImages();
    if (!ReadImages(body, file, *texture, packed)) {
        return {};
    }
    return texture;
}

bool TextureTable::ReadImages(Stream& body, Stream& file, Texture& texture, bool packed) {
    // Texture records are stored raw, so an image's bytes lie in the package file itself, where they can
    // be read again; not so for a package read from memory.
    const auto* packageFile = dynamic_cast<FileStream*>(&file);
    const bool fromPackageFile = packageFile != nullptr && !packageFile->Name().empty() && !IsCompressed();
    uint16_t imageCount = 0;
    if (!ReadU16(body, imageCount) || !CanHold(body, imageCount, packed ? kSmallestPackedImage : 2)) {
        return false;
    }
    for (uint16_t i = 0; i < imageCount; ++i) {
        uint16_t key = 0;
        if (!ReadU16(body, key)) {
            return false;
        }
        if (!packed) {
            WString path;
            if (!ReadFixedString260(body, path)) {
                return false;
            }
            GetFullPath(path, path);  // a path that cannot be made absolute is kept as read
            if (!texture.LoadImageFile(path, key)) {
                return false;
            }
            continue;
        }
        uint32_t width = 0;
        uint32_t height = 0;
        uint32_t size = 0;
        uint32_t compressedSize = 0;
        if (!ReadU32(body, width) || !ReadU32(body, height) || !ReadU32(body, size)) {
            return false;
        }
        if (size == 0) {
            continue;
        }
        if (!ReadU32(body, compressedSize) || !CanHold(body, compressedSize, 1)) {
            return false;
        }
        const uint32_t position = file.Tell();
        if (!texture.ReadImage(body, size, compressedSize, key)) {
            return false;
        }
        if (fromPackageFile && position != Stream::kCannotTell) {
            // Checked whole as it was read; from now on read from the file when wanted.
            TextureImage& image = *texture.GetImage(key);
            image.source = TextureImageSource{packageFile->Name(), position, compressedSize, size};
            image.data.Release();
        }
        texture.SetImageWidth(width, key);
        texture.SetImageHeight(height, key);
    }
    return true;
}

bool TextureTable::SaveBody(Stream& out, const SharedPtr<Texture>& item, bool packed) {
    Texture& texture = *item;
    if (!WriteItemName(out, packed, texture.name) || !WriteSettings(out, texture.settings) ||
        !WriteU16(out, texture.GetImageCount())) {
        return false;
    }
    for (uint16_t index = 0; index < texture.GetImageCount(); ++index) {
        const uint16_t key = texture.GetImageKeyAt(index);
        if (!WriteU16(out, key)) {
            return false;
        }
        if (packed ? !WritePackedImage(out, texture, key)
                   : !WriteFixedString260(out, MakeRelativePath(GetWorkingFolder(), texture.GetImage(key)->name))) {
            return false;
        }
    }
    return true;
}

bool TextureTable::WritePackedImage(Stream& out, Texture& texture, uint16_t key) {
    const TextureImage& image = *texture.GetImage(key);
    MemoryStream& data = *texture.GetImageData(key);
    if (!WriteU32(out, image.width) || !WriteU32(out, image.height)) {
        return false;
    }
    if (data.Size() == 0) {
        return WriteU32(out, 0);
    }
    // Images held compressed are already the zlib stream the body carries; only their inflated size is
    // another number than the held one.
    if (texture.settings.keepCompressed) {
        return WriteU32(out, image.uncompressedSize) && WriteU32(out, data.Size()) && data.WriteTo(out);
    }
    MemoryStream compressed;
    return data.CompressTo(compressed) && WriteU32(out, data.Size()) && WriteU32(out, compressed.Size()) &&
           compressed.WriteTo(out);
}

}  // namespace quill
