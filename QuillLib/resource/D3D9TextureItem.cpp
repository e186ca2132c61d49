#include "QuillLib/resource/D3D9TextureItem.h"

#include <algorithm>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/resource/D3D9Texture.h"
#include "QuillLib/resource/ResourceDevice.h"
#include "QuillLib/resource/ResourceOptions.h"
#include "QuillLib/resource/TextRasteriser.h"
#include "QuillLib/resource/WorkingFolder.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/ImageServices.h"
#include "platform/gfx/MemoryTexture.h"

namespace quill {
namespace {

namespace gfx = platform::gfx;

constexpr uint32_t kPoolSystemMemory = 2;
constexpr uint32_t kPoolManaged = 3;
// Deflate cannot shrink data by more than this factor; a larger size belongs to a damaged record.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 64;

std::span<const std::byte> BytesOf(const MemoryStream& data) {
    return {reinterpret_cast<const std::byte*>(data.Data()), const_cast<MemoryStream&>(data).Size()};
}

bool IsPlausibleImage(uint32_t uncompressedSize, uint32_t compressedSize) {
    return uncompressedSize <= MemoryStream::kMaxUncompressedSize &&
           uncompressedSize <= compressedSize * kMaxDeflateRatio + kDeflateSlack;
}

}  // namespace

D3D9TextureItem::D3D9TextureItem(ResourceDevice* device, WStringView name, const TextureSettings& textureSettings)
    : Texture(name, textureSettings), device_(device) {
    AddImage(0, 0, 0);
}

D3D9TextureItem::D3D9TextureItem(const D3D9TextureItem& other)
    : Texture(other), device_(other.device_), currentKey_(other.currentKey_) {
    for (const auto& [key, image] : other.images_) {
        images_.emplace(key, quill::make_shared<TextureImage>(*image));
    }
}

D3D9TextureItem::~D3D9TextureItem() {
    ReleaseAll();
}

uint16_t D3D9TextureItem::GetImageKeyAt(uint16_t index) const {
    if (index >= images_.size()) {
        return 0;
    }
    return std::next(images_.begin(), index)->first;
}

TextureImage* D3D9TextureItem::GetImage(uint16_t key) const {
    const auto found = images_.find(key);
    return found == images_.end() ? nullptr : found->second.get();
}

void D3D9TextureItem::SetImageName(WStringView imageName, uint16_t key) {
    if (!GetImage(key)) {
        AddImage(key, 0, 0);
    }
    if (TextureImage* image = GetImage(key)) {
        image->name = WString(imageName);
    }
}

bool D3D9TextureItem::AddImage(uint16_t key, uint32_t byteSize, uint32_t uncompressedSize) {
    SharedPtr<TextureImage>& image = images_[key];
    if (!image) {
        image = quill::make_shared<TextureImage>();
    }
    if (byteSize == 0) {
        image->data.Release();
    } else if (!image->data.Allocate(byteSize)) {
        return false;
    }
    image->uncompressedSize = uncompressedSize;
    if (currentKey_ < key && key <= settings.preferredKey) {
        currentKey_ = key;
    }
    return true;
}

MemoryStream* D3D9TextureItem::GetImageData(uint16_t key) const {
    TextureImage* image = GetImage(key);
    if (image == nullptr) return nullptr;
    // Bytes given up after the device got the picture come back from the package for a caller that wants them.
    if (image->data.Size() == 0 && image->source) ReadStoredBytes(*image, image->data);
    return &image->data;
}

bool D3D9TextureItem::HasImageData() const {
    const TextureImage* image = GetCurrentImage();
    return image && (const_cast<MemoryStream&>(image->data).Size() > 0 || image->source);
}

bool D3D9TextureItem::ReadStoredBytes(const TextureImage& image, MemoryStream& out) const {
    const TextureImageSource& source = *image.source;
    FileStream file{source.packagePath};
    if (!file.Open(FileStream::kRead) || source.position > static_cast<uint32_t>(INT32_MAX) ||
        !file.Seek(Stream::kFromBegin, static_cast<int32_t>(source.position))) {
        return false;
    }
    if (settings.keepCompressed) {
        return out.Allocate(source.size) && out.ReadFrom(file);
    }
    MemoryStream compressed;
    return compressed.Allocate(source.size) && compressed.ReadFrom(file) && out.Allocate(source.inflatedSize) &&
           compressed.UncompressTo(out);
}

void D3D9TextureItem::ClearImages() {
    ReleaseAll();
    images_.clear();
}

uint32_t D3D9TextureItem::GetImageWidth(uint16_t key) const {
    const TextureImage* image = GetImage(key);
    return image ? image->width : 0;
}

uint32_t D3D9TextureItem::GetImageHeight(uint16_t key) const {
    const TextureImage* image = GetImage(key);
    return image ? image->height : 0;
}

void D3D9TextureItem::SetImageWidth(uint32_t value, uint16_t key) {
    if (TextureImage* image = GetImage(key)) {
        image->width = value;
    }
}

void D3D9TextureItem::SetImageHeight(uint32_t value, uint16_t key) {
    if (TextureImage* image = GetImage(key)) {
        image->height = value;
    }
}

bool D3D9TextureItem::LoadImageFile(WStringView path, uint16_t key) {
    FileStream file{WString(path)};
    if (!AddImage(key, 0, 0) || !file.Open(FileStream::kRead)) {
        return false;
    }
    const uint32_t size = file.Size();
    if (size == 0 || !AddImage(key, size, 0) || !GetImage(key)->data.ReadFrom(file)) {
        return false;
    }
    TextureImage& image = *GetImage(key);
    gfx::ImageInfo info;
    if (!gfx::Succeeded(gfx::GetImageInfoFromFileInMemory(BytesOf(image.data), info))) {
        return false;
    }
    WString full;
    if (GetFullPath(path, full)) {
        image.name = full;
    }
    image.width = info.width;
    image.height = info.height;
    if (info.resourceType == gfx::ResourceType::CubeTexture) {
        settings.cube = 1;
        settings.bumpMap = 0;
        settings.renderTarget = 0;
    }
    if (IsInUse()) {
        Release(true);
        Acquire(true);
    }
    return true;
}

bool D3D9TextureItem::ReadImage(Stream& stream, uint32_t uncompressedSize, uint32_t compressedSize, uint16_t key) {
    if (!IsPlausibleImage(uncompressedSize, compressedSize)) {
        return false;
    }
    if (settings.keepCompressed) {
        return AddImage(key, compressedSize, uncompressedSize) && GetImage(key)->data.ReadFrom(stream);
    }
    MemoryStream compressed;
    if (!AddImage(key, uncompressedSize, 0) || !compressed.Allocate(compressedSize) || !compressed.ReadFrom(stream)) {
        return false;
    }
    return compressed.UncompressTo(GetImage(key)->data);
}

bool D3D9TextureItem::CurrentImageBytes(MemoryStream& scratch, std::span<const std::byte>& bytes) const {
    const TextureImage* image = GetCurrentImage();
    if (image && const_cast<MemoryStream&>(image->data).Size() == 0 && image->source) {
        // Given up once before: read again from the package, for this use only.
        MemoryStream stored;
        if (!ReadStoredBytes(*image, stored)) return false;
        if (!settings.keepCompressed) {
            scratch = std::move(stored);
            bytes = BytesOf(scratch);
            return true;
        }
        if (!scratch.Allocate(image->uncompressedSize) || !stored.UncompressTo(scratch)) return false;
        bytes = BytesOf(scratch);
        return true;
    }
    if (!image || const_cast<MemoryStream&>(image->data).Size() == 0) {
        bytes = {};
        return true;
    }
    if (!settings.keepCompressed) {
        bytes = BytesOf(image->data);
        return true;
    }
    if (!scratch.Allocate(image->uncompressedSize) || !image->data.UncompressTo(scratch)) {
        return false;
    }
    bytes = BytesOf(scratch);
    return true;
}

bool D3D9TextureItem::Acquire(bool force) {
    if (!force && useCount_++ > 0) {
        return true;
    }
    MemoryStream scratch;
    std::span<const std::byte> bytes;
    bool isCube = false;
    if (CurrentImageBytes(scratch, bytes)) {
        deviceTexture_ = CreateDeviceTexture(bytes, isCube);
    }
    if (!deviceTexture_) {
        if (!force) {
            --useCount_;
        }
        return false;
    }
    if (!isCube) {
        RecordMadeFormat();
    }
    // The device holds the picture now: the file's bytes are read again from the package when needed.
    if (TextureImage* image = GetCurrentImage(); image && image->source) image->data.Release();
    if (!force && !registered_) {
        device_->RegisterTexture(*this);
        registered_ = true;
    }
    return true;
}

// The format of the made texture, read from the level of the current key (key 0 is level 0).
void D3D9TextureItem::RecordMadeFormat() {
    auto* plain = static_cast<gfx::Texture*>(deviceTexture_.get());
    gfx::SurfaceDesc desc;
    if (gfx::Succeeded(plain->GetLevelDesc(currentKey_, desc))) {
        settings.format = static_cast<uint32_t>(desc.format);
    }
}

bool D3D9TextureItem::Release(bool force) {
    if (useCount_ == 0) {
        return true;
    }
    if (!force && --useCount_ > 0) {
        return true;
    }
    deviceTexture_.reset();
    if (!force) {
        Unregister();
    }
    return true;
}

bool D3D9TextureItem::ReleaseAll() {
    useCount_ = 0;
    deviceTexture_.reset();
    Unregister();
    return true;
}

void D3D9TextureItem::Unregister() {
    if (registered_ && device_) {
        device_->UnregisterTexture(*this);
    }
    registered_ = false;
}

bool D3D9TextureItem::Reload() {
    if (!IsInUse()) {
        return true;
    }
    Release(true);
    return Acquire(true);
}

bool D3D9TextureItem::Bind(uint32_t stage) {
    if (!device_ || (!deviceTexture_ && !Acquire(false))) {
        return false;
    }
    if (!device_->SetTexture(deviceTexture_.get(), stage) ||
        !device_->SetTextureAddress(stage, static_cast<uint32_t>(settings.addressU),
                                    static_cast<uint32_t>(settings.addressV))) {
        return false;
    }
    switch (settings.alphaMode) {
        case 0: return true;
        case 1: return device_->SetAlphaMode(0);
        case 2: return device_->SetAlphaMode(1);
        default: return false;
    }
}

bool D3D9TextureItem::SetAsRenderTarget() {
    const std::unique_ptr<DeviceTexture> level = GetSurface(0);
    auto* surface = static_cast<D3D9Texture*>(level.get())->GetSurface();
    gfx::Device* device = device_ ? device_->GetGfxDevice() : nullptr;
    return surface && device && gfx::Succeeded(device->SetRenderTarget(0, surface));
}

void D3D9TextureItem::GenerateMipSubLevels() {
    if (deviceTexture_) {
        deviceTexture_->GenerateMipSubLevels();
    }
}

bool D3D9TextureItem::DrawText(TextRasteriser& surface, const TextEntry& entry, const platform::gfx::Rect& rect) {
    if (!deviceTexture_ || deviceTexture_->GetType() != gfx::ResourceType::Texture) {
        return false;
    }
    return surface.Rasterise(static_cast<gfx::Texture&>(*deviceTexture_), entry, rect);
}

std::unique_ptr<DeviceTexture> D3D9TextureItem::GetSurface(uint32_t level) {
    std::unique_ptr<gfx::Surface> surface;
    if (deviceTexture_ && deviceTexture_->GetType() == gfx::ResourceType::Texture) {
        surface = static_cast<gfx::Texture&>(*deviceTexture_).GetSurfaceLevel(level);
    }
    return std::make_unique<D3D9Texture>(device_ ? device_->GetGfxDevice() : nullptr, std::move(surface));
}

void D3D9TextureItem::SetDevice(ResourceDevice* device) {
    if (device == device_) {
        return;
    }
    ReleaseAll();
    device_ = device;
}

std::unique_ptr<gfx::BaseTexture> D3D9TextureItem::CreateDeviceTexture(std::span<const std::byte> bytes, bool& isCube) {
    isCube = false;
    if (!device_ || !device_->GetGfxDevice()) {
        return nullptr;
    }
    if (!bytes.empty()) {
        gfx::ImageInfo info;
        if (!gfx::Succeeded(gfx::GetImageInfoFromFileInMemory(bytes, info))) {
            return nullptr;
        }
        isCube = info.resourceType == gfx::ResourceType::CubeTexture;
    }
    if (bytes.empty() || (settings.renderTarget && !isCube)) {
        return CreateEmpty(!bytes.empty());
    }
    return CreateFromFile(bytes, isCube);
}

namespace {

struct DeviceTextureParameters {
    uint32_t usage = 0;
    gfx::Pool pool = gfx::Pool::Default;
    uint32_t mipLevels = 0;
    uint32_t mipSkip = 0;
};

DeviceTextureParameters ParametersOf(const TextureSettings& settings) {
    DeviceTextureParameters parameters;
    const bool target = settings.renderTarget != 0;
    parameters.usage = target ? gfx::Usage::RenderTarget : 0;
    if (!target && settings.poolKind == kPoolSystemMemory) {
        parameters.pool = gfx::Pool::SystemMem;
    } else if (!target && settings.poolKind == kPoolManaged) {
        parameters.pool = gfx::Pool::Managed;
    }
    if (parameters.pool == gfx::Pool::Default && settings.dynamic) {
        parameters.usage |= gfx::Usage::Dynamic;
    }
    parameters.mipLevels = target ? 1 : settings.mipLevels;
    // The application can lower texture memory for every texture at once with the global skip count.
    parameters.mipSkip = std::max<uint32_t>(target ? 0 : settings.mipSkip, GetResourceOptions().value);
    return parameters;
}

}  // namespace

std::unique_ptr<gfx::BaseTexture> D3D9TextureItem::CreateFromFile(std::span<const std::byte> bytes, bool isCube) {
    const DeviceTextureParameters parameters = ParametersOf(settings);
    gfx::TextureLoadOptions options;
    options.mipLevels = parameters.mipLevels;
    options.usage = parameters.usage;
    options.pool = parameters.pool;
    options.mipSkip = parameters.mipSkip;
    options.colorKey = settings.colorKey;
    gfx::Device& device = *device_->GetGfxDevice();
    if (isCube) {
        std::unique_ptr<gfx::CubeTexture> cube;
        options.format = gfx::Format::FromFile;
        if (!device_->cubeMapping ||
            !gfx::Succeeded(gfx::CreateCubeTextureFromFileInMemoryEx(device, bytes, options, nullptr, cube))) {
            return nullptr;
        }
        return cube;
    }
    if (settings.bumpMap && !device_->bumpMapping) {
        return nullptr;
    }
    options.format = settings.bumpMap || device_->dxt1 ? gfx::Format::FromFile : gfx::Format::A8R8G8B8;
    std::unique_ptr<gfx::Texture> texture;
    if (!gfx::Succeeded(gfx::CreateTextureFromFileInMemoryEx(device, bytes, options, nullptr, texture))) {
        return nullptr;
    }
    // A device may give the pixels up while it does not need them: they are decoded again from the image
    // file. The item owns the texture, so it outlives the restorer.
    if (auto* memory = dynamic_cast<gfx::MemoryTexture*>(texture.get())) {
        memory->SetRestorer([this, options](gfx::MemoryTexture& target) {
            MemoryStream scratch;
            std::span<const std::byte> again;
            std::unique_ptr<gfx::Texture> decoded;
            if (!device_ || !device_->GetGfxDevice() || !CurrentImageBytes(scratch, again) ||
                !gfx::Succeeded(gfx::CreateTextureFromFileInMemoryEx(*device_->GetGfxDevice(), again, options, nullptr,
                                                                     decoded))) {
                return false;
            }
            auto* made = dynamic_cast<gfx::MemoryTexture*>(decoded.get());
            return made != nullptr && target.TakePixelsFrom(*made);
        });
    }
    return texture;
}

std::unique_ptr<gfx::BaseTexture> D3D9TextureItem::CreateEmpty(bool haveBytes) {
    DeviceTextureParameters parameters = ParametersOf(settings);
    // Render targets live in the default pool; the device refuses them anywhere else.
    if (!haveBytes && settings.poolKind == 0 && !settings.renderTarget) {
        parameters.pool = gfx::Pool::Managed;
        parameters.usage &= ~gfx::Usage::Dynamic;
    }
    parameters.usage |= gfx::Usage::AutoGenMipmap;
    gfx::Format format = gfx::Format::A8R8G8B8;
    if (!settings.renderTarget && settings.format != TextureSettings::kDefaultFormat) {
        format = static_cast<gfx::Format>(settings.format);
    }
    std::unique_ptr<gfx::Texture> texture;
    if (!gfx::Succeeded(device_->GetGfxDevice()->CreateTexture(GetWidth(), GetHeight(), 1, parameters.usage, format,
                                                              parameters.pool, texture))) {
        return nullptr;
    }
    return texture;
}

}  // namespace quill
