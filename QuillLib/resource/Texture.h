#pragma once
// A TEXTURE item: one or more encoded images (DDS, BMP, PNG, JPEG, TGA files as bytes) keyed by a 16-bit
// image key, and the settings with which a device texture is made from the current one. The device
// texture is made when the first user acquires the item and dropped when the last one releases it, so that
// a package can hold many textures while only those in use occupy the device. An item can also be an empty
// texture of a given size (a target for drawn text or rendering).
//
// This is the item interface; D3D9TextureItem is its implementation. As a LiveTexture the device drops the
// device texture of every acquired item when it is lost (Release(true)) and makes it again after the reset
// (Acquire(true)).
//
// Threads: the device's thread; the item has no lock.
#include <cstdint>
#include <memory>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/NamedObject.h"
#include "QuillLib/resource/DeviceTexture.h"
#include "QuillLib/resource/LiveTexture.h"
#include "QuillLib/resource/TextureImage.h"
#include "QuillLib/resource/TextureSettings.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {
class BaseTexture;
}

namespace quill {

class ResourceDevice;
class TextEntry;
class TextRasteriser;

class Texture : public NamedObject, public LiveTexture {
public:
    Texture* Clone() const override = 0;

    virtual uint16_t GetImageCount() const = 0;
    // The key of the index-th image in key order (index below the count).
    virtual uint16_t GetImageKeyAt(uint16_t index) const = 0;
    virtual TextureImage* GetImage(uint16_t key) const = 0;
    // Creates an empty image under the key when there is none, then stores the name.
    virtual void SetImageName(WStringView imageName, uint16_t key) = 0;
    // Makes the image under the key (when absent) and sizes its data to byteSize bytes for the caller to
    // fill; the key becomes current when it lies above the current key and not above preferredKey.
    virtual bool AddImage(uint16_t key, uint32_t byteSize, uint32_t uncompressedSize) = 0;
    virtual MemoryStream* GetImageData(uint16_t key) const = 0;
    // Whether the current image holds bytes.
    virtual bool HasImageData() const = 0;
    virtual bool IsInUse() const = 0;
    // ReleaseAll, then every image goes.
    virtual void ClearImages() = 0;
    // Of an existing image; 0 (or nothing) for a key without one.
    virtual uint32_t GetImageWidth(uint16_t key) const = 0;
    virtual uint32_t GetImageHeight(uint16_t key) const = 0;
    virtual void SetImageWidth(uint32_t value, uint16_t key) = 0;
    virtual void SetImageHeight(uint32_t value, uint16_t key) = 0;
    // Reads an image file (path in the program's Windows form) into the key; its size comes from the file.
    // A texture in use gets a device texture of the new image.
    virtual bool LoadImageFile(WStringView path, uint16_t key) = 0;
    // Reads compressedSize bytes of zlib data that inflate to uncompressedSize bytes of an image file.
    virtual bool ReadImage(Stream& stream, uint32_t uncompressedSize, uint32_t compressedSize, uint16_t key) = 0;

    // Counted (force false): the first acquire makes the device texture and registers the item with the
    // device; the last release drops it. Forced: makes or drops the device texture without touching the
    // count or the registration (device loss and reset, a replaced image).
    bool Acquire(bool force) override = 0;
    bool Release(bool force) override = 0;
    // Count 0, device texture dropped, unregistered.
    virtual bool ReleaseAll() = 0;
    // A texture in use gets a new device texture; true when not in use.
    virtual bool Reload() = 0;
    // Sets the device texture (acquired first when there is none) on the stage with the addressing and
    // alpha mode of the settings.
    virtual bool Bind(uint32_t stage) = 0;
    // Level 0 of the device texture becomes the device's render target.
    virtual bool SetAsRenderTarget() = 0;
    virtual void GenerateMipSubLevels() = 0;
    // Draws a text entry of a text surface into rect of level 0; false without a plain device texture.
    virtual bool DrawText(TextRasteriser& surface, const TextEntry& entry, const platform::gfx::Rect& rect) = 0;
    // A new accessor of one level of the device texture (its surface null when the level cannot be had).
    virtual std::unique_ptr<DeviceTexture> GetSurface(uint32_t level) = 0;

    // The device texture; null while not acquired (drawing treats that as no texture).
    virtual platform::gfx::BaseTexture* GetDeviceTexture() const = 0;
    // The device that makes the device textures; null until one is set. Setting another one first
    // releases everything made on the old one.
    virtual void SetDevice(ResourceDevice* device) = 0;
    virtual ResourceDevice* GetDevice() const = 0;
    virtual uint16_t GetCurrentKey() const = 0;

    TextureImage* GetCurrentImage() const { return GetImage(GetCurrentKey()); }
    void SetCurrentImageName(WStringView imageName) { SetImageName(imageName, GetCurrentKey()); }
    uint32_t GetWidth() const { return GetImageWidth(GetCurrentKey()); }
    uint32_t GetHeight() const { return GetImageHeight(GetCurrentKey()); }
    void SetWidth(uint32_t value) { SetImageWidth(value, GetCurrentKey()); }
    void SetHeight(uint32_t value) { SetImageHeight(value, GetCurrentKey()); }
    bool LoadPreferredImageFile(WStringView path) { return LoadImageFile(path, settings.preferredKey); }
    bool ReadPreferredImage(Stream& stream, uint32_t uncompressedSize, uint32_t compressedSize) {
        return ReadImage(stream, uncompressedSize, compressedSize, settings.preferredKey);
    }

    TextureSettings settings;
    // Display marks a model's texture-slot selection sets: the texture's tag, whether it is the selected
    // one of its material, and two marks that keep it from being selected.
    uint16_t tag = 0;
    uint8_t selected = 0;
    uint8_t blockedA = 0;
    uint8_t blockedB = 0;

protected:
    Texture(WStringView name, const TextureSettings& textureSettings) : NamedObject(name), settings(textureSettings) {}
    Texture(const Texture&) = default;
    Texture& operator=(const Texture&) = delete;
};

}  // namespace quill
