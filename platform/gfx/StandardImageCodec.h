#pragma once
// Decoding and encoding of the common image files (BMP, PNG, JPEG, TGA) through the system's image library.
// Pixels are 0xAARRGGBB words, rows from the top.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

struct StandardImageHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    bool hasAlpha = false;
};

struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;
};

// Sizes without decoding; empty when the bytes are no image the library reads.
std::optional<StandardImageHeader> ReadStandardImageHeader(std::span<const std::byte> file);
// Empty when the file is damaged or larger than kMaxImageEdge in either direction.
std::optional<DecodedImage> DecodeStandardImage(std::span<const std::byte> file);
// Writes BMP, TGA, PNG or JPEG (quality 90); false when the file cannot be written.
bool EncodeStandardImage(const std::filesystem::path& path, ImageFileFormat format,
                         std::span<const uint32_t> pixels, uint32_t width, uint32_t height, bool withAlpha);

}  // namespace platform::gfx
