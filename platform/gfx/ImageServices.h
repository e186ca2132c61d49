#pragma once
// The image services: what an image file holds, textures and cube textures made from image files in memory
// (DDS with DXT1, DXT3 and DXT5 or plain pixels, BMP, PNG, JPEG and TGA), and a surface saved as an image
// file. Every input is untrusted: a damaged or oversized file fails with Result::Fail, never more.
//
// Threads: any; the textures are made through the device's Create calls.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

#include "platform/gfx/CubeTexture.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"
#include "platform/gfx/StandardImageCodec.h"
#include "platform/gfx/Surface.h"
#include "platform/gfx/Texture.h"

namespace platform::gfx {

// How a texture is made from an image file.
struct TextureLoadOptions {
    // Levels to make; 0 makes the full chain down to 1 x 1.
    uint32_t mipLevels = 0;
    uint32_t usage = 0;
    // Format::FromFile keeps the file's format where the device can hold it; otherwise the pixels are
    // converted to this format.
    Format format = Format::A8R8G8B8;
    Pool pool = Pool::Managed;
    // Top mip levels of a DDS file to drop (the texture starts at the level below them).
    uint32_t mipSkip = 0;
    // Pixels of exactly this colour become transparent black; 0 keeps every pixel.
    Color colorKey = 0;
};

// The largest width or height of an image the services accept.
inline constexpr uint32_t kMaxImageEdge = 16384;

Result GetImageInfoFromFileInMemory(std::span<const std::byte> file, ImageInfo& out);
Result CreateTextureFromFileInMemoryEx(Device& device, std::span<const std::byte> file,
                                       const TextureLoadOptions& options, ImageInfo* info,
                                       std::unique_ptr<Texture>& out);
Result CreateCubeTextureFromFileInMemoryEx(Device& device, std::span<const std::byte> file,
                                           const TextureLoadOptions& options, ImageInfo* info,
                                           std::unique_ptr<CubeTexture>& out);
// Writes the surface's pixels (16- or 32-bit colour formats) as an image file of the given format.
Result SaveSurfaceToFile(const std::filesystem::path& path, ImageFileFormat format, Surface& surface);
// The two steps of SaveSurfaceToFile, so that the file can be written on another thread than the one that
// reads the surface: the surface's pixels (16- or 32-bit colour formats) decoded, and decoded pixels written
// as an image file of the given format.
Result ReadSurfaceImage(Surface& surface, DecodedImage& out);
Result SaveImageToFile(const std::filesystem::path& path, ImageFileFormat format, const DecodedImage& image);

}  // namespace platform::gfx
