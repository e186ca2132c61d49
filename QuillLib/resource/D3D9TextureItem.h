#pragma once
// The texture item's implementation over the platform device and its image services: the images in key
// order, the key of the current one, the count of users of the device texture and the device texture. The
// bytes of an image read from a package file are read from the file again whenever they are wanted.
//
// Threads: the device's thread.
#include <cstdint>
#include <map>
#include <memory>
#include <span>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/Texture.h"
#include "platform/gfx/BaseTexture.h"

namespace quill {

class D3D9TextureItem : public Texture {
public:
    // Copies the settings and adds an empty image under key 0. device may be null: the item then holds
    // its images until a device is set.
    D3D9TextureItem(ResourceDevice* device, WStringView name, const TextureSettings& textureSettings);
    // Id, name, settings, device and current key, and a copy of every image; not in use, no device texture.
    D3D9TextureItem(const D3D9TextureItem& other);
    D3D9TextureItem& operator=(const D3D9TextureItem&) = delete;
    ~D3D9TextureItem() override;

    D3D9TextureItem* Clone() const override { return new D3D9TextureItem(*this); }

    uint16_t GetImageCount() const override { return static_cast<uint16_t>(images_.size()); }
    uint16_t GetImageKeyAt(uint16_t index) const override;
    TextureImage* GetImage(uint16_t key) const override;
    void SetImageName(WStringView imageName, uint16_t key) override;
    bool AddImage(uint16_t key, uint32_t byteSize, uint32_t uncompressedSize) override;
    MemoryStream* GetImageData(uint16_t key) const override;
    bool HasImageData() const override;
    bool IsInUse() const override { return useCount_ > 0; }
    void ClearImages() override;
    uint32_t GetImageWidth(uint16_t key) const override;
    uint32_t GetImageHeight(uint16_t key) const override;
    void SetImageWidth(uint32_t value, uint16_t key) override;
    void SetImageHeight(uint32_t value, uint16_t key) override;
    bool LoadImageFile(WStringView path, uint16_t key) override;
    bool ReadImage(Stream& stream, uint32_t uncompressedSize, uint32_t compressedSize, uint16_t key) override;

    bool Acquire(bool force) override;
    bool Release(bool force) override;
    bool ReleaseAll() override;
    bool Reload() override;
    bool Bind(uint32_t stage) override;
    bool SetAsRenderTarget() override;
    void GenerateMipSubLevels() override;
    bool DrawText(TextRasteriser& surface, const TextEntry& entry, const platform::gfx::Rect& rect) override;
    std::unique_ptr<DeviceTexture> GetSurface(uint32_t level) override;

    platform::gfx::BaseTexture* GetDeviceTexture() const override { return deviceTexture_.get(); }
    void SetDevice(ResourceDevice* device) override;
    ResourceDevice* GetDevice() const override { return device_; }
    uint16_t GetCurrentKey() const override { return currentKey_; }
    uint16_t GetUseCount() const { return useCount_; }

    // Makes a device texture from an image file's bytes (none: an empty texture of the current image's
    // size); isCube tells which kind was made. Null on any failure.
    std::unique_ptr<platform::gfx::BaseTexture> CreateDeviceTexture(std::span<const std::byte> bytes, bool& isCube);

private:
    // The stored bytes of an image read from a package file, read again from the file (inflated unless
    // the texture keeps its images compressed); false when the file cannot give them.
    bool ReadStoredBytes(const TextureImage& image, MemoryStream& out) const;
    // The current image's file bytes, inflated into scratch when held compressed; false when that fails.
    bool CurrentImageBytes(MemoryStream& scratch, std::span<const std::byte>& bytes) const;
    std::unique_ptr<platform::gfx::BaseTexture> CreateFromFile(std::span<const std::byte> bytes, bool isCube);
    std::unique_ptr<platform::gfx::BaseTexture> CreateEmpty(bool haveBytes);
    void RecordMadeFormat();
    void Unregister();

    ResourceDevice* device_;
    uint16_t currentKey_ = 0;
    std::map<uint16_t, SharedPtr<TextureImage>> images_;
    uint16_t useCount_ = 0;
    bool registered_ = false;
    std::unique_ptr<platform::gfx::BaseTexture> deviceTexture_;
};

}  // namespace quill
