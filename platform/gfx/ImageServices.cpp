#include "platform/gfx/ImageServices.h"

#include <cstring>
#include <optional>

#include "platform/gfx/DdsFile.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/MipChain.h"
#include "platform/gfx/PixelConversion.h"
#include "platform/gfx/StandardImageCodec.h"
#include "platform/system/FileReplace.h"

namespace platform::gfx {
namespace {

bool StartsWith(std::span<const std::byte> file, std::initializer_list<uint8_t> magic) {
    if (file.size() < magic.size()) return false;
    size_t i = 0;
    for (uint8_t byte : magic) {
        if (std::to_integer<uint8_t>(file[i++]) != byte) return false;
    }
    return true;
}

ImageFileFormat DetectFileFormat(std::span<const std::byte> file) {
    if (StartsWith(file, {'D', 'D', 'S', ' '})) return ImageFileFormat::Dds;
    if (StartsWith(file, {'B', 'M'})) return ImageFileFormat::Bmp;
    if (StartsWith(file, {0x89, 'P', 'N', 'G'})) return ImageFileFormat::Png;
    if (StartsWith(file, {0xFF, 0xD8})) return ImageFileFormat::Jpg;
    return ImageFileFormat::Tga;
}

// One face of a source image, level by level: raw bytes in the file's format where the target keeps that
// format, decoded pixels otherwise.
struct SourceLevels {
    Format fileFormat = Format::Unknown;
    uint32_t width = 0, height = 0;
    std::vector<std::span<const std::byte>> raw;  // levels from the file (after the skip)
    std::vector<uint32_t> decodedTop;              // level 0 decoded, for standard images
};

// The format a texture gets: the file's own when asked and the device can hold it unchanged, else a
// 32-bit colour format the pixels are converted to.
Format ChooseFormat(const TextureLoadOptions& options, Format fileFormat, bool fileHasAlpha, bool canKeepFile) {
    const Format converted = fileHasAlpha || options.colorKey != 0 ? Format::A8R8G8B8 : Format::X8R8G8B8;
    if (options.format == Format::FromFile) {
        return canKeepFile ? fileFormat : converted;
    }
    if (options.format == fileFormat && canKeepFile) {
        return fileFormat;
    }
    if (IsColourFormat(options.format) && !IsCompressed(options.format)) {
        return options.format;
    }
    return converted;
}

void ApplyColorKey(std::vector<uint32_t>& pixels, Color key) {
    if (key == 0) return;
    for (uint32_t& pixel : pixels) {
        if (pixel == key) pixel = 0;
    }
}

Result WriteRaw(Surface& surface, std::span<const std::byte> bytes, Format format, uint32_t height) {
    LockedRect locked;
    if (!Succeeded(surface.LockRect(locked, nullptr, 0))) return Result::Fail;
    const uint32_t pitch = RowPitch(format, surface.GetDesc().width);
    auto* target = static_cast<std::byte*>(locked.bits);
    for (uint32_t row = 0; row < RowCount(format, height); ++row) {
        std::memcpy(target + static_cast<size_t>(row) * static_cast<uint32_t>(locked.pitch),
                    bytes.data() + static_cast<size_t>(row) * pitch, pitch);
    }
    return surface.UnlockRect();
}

Result WritePixels(Surface& surface, std::span<const uint32_t> pixels) {
    const SurfaceDesc desc = surface.GetDesc();
    LockedRect locked;
    if (!Succeeded(surface.LockRect(locked, nullptr, 0))) return Result::Fail;
    const bool ok = EncodePixels(desc.format, pixels, desc.width, desc.height, static_cast<std::byte*>(locked.bits),
                                 static_cast<uint32_t>(locked.pitch));
    surface.UnlockRect();
    return ok ? Result::Ok : Result::Fail;
}

std::vector<uint32_t> DecodeLevel(const SourceLevels& source, uint32_t level, uint32_t width, uint32_t height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    DecodePixels(source.fileFormat, source.raw[level].data(), RowPitch(source.fileFormat, width), width, height, pixels);
    return pixels;
}

// Fills the levels of one face: copied from the file while the formats agree and the file has the level,
// converted and halved from the level above otherwise.
template <class SurfaceOf>
Result FillLevels(const SourceLevels& source, Format format, uint32_t levels, Color colorKey, SurfaceOf surfaceOf) {
    std::vector<uint32_t> pixels;
    uint32_t width = source.width, height = source.height;
    for (uint32_t level = 0; level < levels; ++level) {
        std::unique_ptr<Surface> surface = surfaceOf(level);
        if (!surface) return Result::Fail;
        const bool fromFile = level < source.raw.size();
        if (fromFile) {
            width = MipEdge(source.width, level);
            height = MipEdge(source.height, level);
        }
        if (fromFile && format == source.fileFormat) {
            if (!Succeeded(WriteRaw(*surface, source.raw[level], format, height))) {
                return Result::Fail;
            }
            // Levels the file lacks are halved from its last one.
            if (level + 1 == source.raw.size() && level + 1 < levels) {
                pixels = DecodeLevel(source, level, width, height);
            }
            continue;
        }
        if (fromFile) {
            pixels = DecodeLevel(source, level, width, height);
            ApplyColorKey(pixels, colorKey);
        } else if (level == 0) {
            pixels = source.decodedTop;
            ApplyColorKey(pixels, colorKey);
        } else {
            pixels = HalveImage(pixels, width, height);
            width = MipEdge(source.width, level);
            height = MipEdge(source.height, level);
        }
        if (!Succeeded(WritePixels(*surface, pixels))) return Result::Fail;
    }
    return Result::Ok;
}

SourceLevels DdsFace(const DdsFile& dds, uint32_t face, uint32_t skip) {
    SourceLevels source;
    source.fileFormat = dds.format;
    source.width = MipEdge(dds.width, skip);
    source.height = MipEdge(dds.height, skip);
    for (uint32_t level = skip; level < dds.levels; ++level) {
        source.raw.push_back(dds.Image(face, level));
    }
    return source;
}

// A compressed file keeps its format only when every level the texture needs is in the file and no colour
// key asks for a change of pixels.
bool CanKeepDdsFormat(const DdsFile& dds, uint32_t skip, uint32_t levels, Color colorKey) {
    if (!IsColourFormat(dds.format) && dds.format != Format::V8U8) return false;
    if (!IsCompressed(dds.format)) return true;
    return colorKey == 0 && levels <= dds.levels - skip;
}

void FillInfo(ImageInfo* info, const ImageInfo& value) {
    if (info != nullptr) *info = value;
}

ImageInfo DdsInfo(const DdsFile& dds) {
    ImageInfo info;
    info.width = dds.width;
    info.height = dds.height;
    info.mipLevels = dds.levels;
    info.format = dds.format;
    info.resourceType = dds.cube ? ResourceType::CubeTexture : ResourceType::Texture;
    info.fileFormat = ImageFileFormat::Dds;
    return info;
}

Result CreateFromDds(Device& device, const DdsFile& dds, const TextureLoadOptions& options, std::unique_ptr<Texture>& out) {
    const uint32_t skip = options.mipSkip < dds.levels ? options.mipSkip : dds.levels - 1;
    const SourceLevels source = DdsFace(dds, 0, skip);
    const uint32_t levels = ResolveMipLevels(options.mipLevels, source.width, source.height);
    const bool keep = CanKeepDdsFormat(dds, skip, levels, options.colorKey);
    const Format format = ChooseFormat(options, dds.format, true, keep);
    if (!IsColourFormat(format) && format != dds.format) return Result::Fail;
    std::unique_ptr<Texture> texture;
    Result result = device.CreateTexture(source.width, source.height, levels, options.usage, format, options.pool, texture);
    if (!Succeeded(result)) return result;
    result = FillLevels(source, format, texture->GetLevelCount(), options.colorKey,
                        [&](uint32_t level) { return texture->GetSurfaceLevel(level); });
    if (Succeeded(result)) out = std::move(texture);
    return result;
}

Result CreateFromStandardImage(Device& device, std::span<const std::byte> file, const TextureLoadOptions& options,
                               ImageInfo* info, std::unique_ptr<Texture>& out) {
    std::optional<DecodedImage> image = DecodeStandardImage(file);
    if (!image) return Result::Fail;
    ImageInfo read;
    read.width = image->width;
    read.height = image->height;
    read.format = image->hasAlpha ? Format::A8R8G8B8 : Format::X8R8G8B8;
    read.fileFormat = DetectFileFormat(file);
    FillInfo(info, read);
    SourceLevels source;
    source.fileFormat = read.format;
    source.width = image->width;
    source.height = image->height;
    source.decodedTop = std::move(image->pixels);
    const Format format = ChooseFormat(options, read.format, image->hasAlpha, false);
    std::unique_ptr<Texture> texture;
    Result result = device.CreateTexture(source.width, source.height, options.mipLevels, options.usage, format,
                                         options.pool, texture);
    if (!Succeeded(result)) return result;
    result = FillLevels(source, format, texture->GetLevelCount(), options.colorKey,
                        [&](uint32_t level) { return texture->GetSurfaceLevel(level); });
    if (Succeeded(result)) out = std::move(texture);
    return result;
}

bool HasAlpha(Format format) {
    switch (format) {
        case Format::A8R8G8B8:
        case Format::A1R5G5B5:
        case Format::A4R4G4B4:
        case Format::A8: return true;
        default: return false;
    }
}

// A file that replaces an older one does so only once written whole.
bool WriteFile(const std::filesystem::path& path, const std::vector<std::byte>& bytes) {
    return ReplaceFileContents(path.string(), bytes);
}

}  // namespace

Result GetImageInfoFromFileInMemory(std::span<const std::byte> file, ImageInfo& out) {
    if (DetectFileFormat(file) == ImageFileFormat::Dds) {
        const std::optional<DdsFile> dds = ReadDdsFile(file);
        if (!dds) return Result::Fail;
        out = DdsInfo(*dds);
        return Result::Ok;
    }
    const std::optional<StandardImageHeader> header = ReadStandardImageHeader(file);
    if (!header) return Result::Fail;
    out = ImageInfo{};
    out.width = header->width;
    out.height = header->height;
    out.format = header->hasAlpha ? Format::A8R8G8B8 : Format::X8R8G8B8;
    out.fileFormat = DetectFileFormat(file);
    return Result::Ok;
}

Result CreateTextureFromFileInMemoryEx(Device& device, std::span<const std::byte> file,
                                       const TextureLoadOptions& options, ImageInfo* info,
                                       std::unique_ptr<Texture>& out) {
    Result result = Result::Fail;
    if (DetectFileFormat(file) != ImageFileFormat::Dds) {
        result = CreateFromStandardImage(device, file, options, info, out);
    } else if (const std::optional<DdsFile> dds = ReadDdsFile(file)) {
        FillInfo(info, DdsInfo(*dds));
        result = CreateFromDds(device, *dds, options, out);
    }
    // A picture from a file is not written again: a device that holds its own copy may drop the one in memory.
    auto* memory = dynamic_cast<MemoryTexture*>(out.get());
    if (Succeeded(result) && memory != nullptr && (options.usage & (Usage::Dynamic | Usage::RenderTarget)) == 0) {
        memory->SetReleasesPixelsOnceHeld(true);
    }
    return result;
}

Result CreateCubeTextureFromFileInMemoryEx(Device& device, std::span<const std::byte> file,
                                           const TextureLoadOptions& options, ImageInfo* info,
                                           std::unique_ptr<CubeTexture>& out) {
    const std::optional<DdsFile> dds = DetectFileFormat(file) == ImageFileFormat::Dds ? ReadDdsFile(file) : std::nullopt;
    if (!dds || !dds->cube) return Result::Fail;
    FillInfo(info, DdsInfo(*dds));
    const uint32_t skip = options.mipSkip < dds->levels ? options.mipSkip : dds->levels - 1;
    const uint32_t edge = MipEdge(dds->width, skip);
    const uint32_t levels = ResolveMipLevels(options.mipLevels, edge, edge);
    const Format format = ChooseFormat(options, dds->format, true, CanKeepDdsFormat(*dds, skip, levels, options.colorKey));
    std::unique_ptr<CubeTexture> cube;
    Result result = device.CreateCubeTexture(edge, levels, options.usage, format, options.pool, cube);
    if (!Succeeded(result)) return result;
    for (uint32_t face = 0; face < kCubeFaceCount && Succeeded(result); ++face) {
        result = FillLevels(DdsFace(*dds, face, skip), format, cube->GetLevelCount(), options.colorKey,
                            [&](uint32_t level) { return cube->GetCubeMapSurface(static_cast<CubeFace>(face), level); });
    }
    if (Succeeded(result)) out = std::move(cube);
    return result;
}

Result SaveSurfaceToFile(const std::filesystem::path& path, ImageFileFormat format, Surface& surface) {
    DecodedImage image;
    const Result read = ReadSurfaceImage(surface, image);
    return Succeeded(read) ? SaveImageToFile(path, format, image) : read;
}

Result ReadSurfaceImage(Surface& surface, DecodedImage& out) {
    const SurfaceDesc desc = surface.GetDesc();
    LockedRect locked;
    if (!IsColourFormat(desc.format) || !Succeeded(surface.LockRect(locked, nullptr, LockFlags::ReadOnly))) {
        return Result::Fail;
    }
    out.width = desc.width;
    out.height = desc.height;
    out.hasAlpha = HasAlpha(desc.format);
    out.pixels.assign(static_cast<size_t>(desc.width) * desc.height, 0);
    DecodePixels(desc.format, static_cast<const std::byte*>(locked.bits), static_cast<uint32_t>(locked.pitch),
                 desc.width, desc.height, out.pixels);
    surface.UnlockRect();
    return Result::Ok;
}

Result SaveImageToFile(const std::filesystem::path& path, ImageFileFormat format, const DecodedImage& image) {
    const bool withAlpha = image.hasAlpha && format != ImageFileFormat::Jpg;
    const bool written = format == ImageFileFormat::Dds
                             ? WriteFile(path, WriteDdsFile(image.pixels, image.width, image.height, withAlpha))
                             : EncodeStandardImage(path, format, image.pixels, image.width, image.height, withAlpha);
    return written ? Result::Ok : Result::Fail;
}

}  // namespace platform::gfx
