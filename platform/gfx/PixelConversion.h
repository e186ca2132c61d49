#pragma once
// Conversion between the colour formats of the layer and 32-bit colour (0xAARRGGBB words), and the box
// filter that halves an image for its next mip level. Formats without alpha decode as opaque.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/gfx/GfxFormat.h"
#include "platform/gfx/PixelImage.h"

namespace platform::gfx {

// Decodes rows of pixels (blocks, for DXT) of width x height into out (width * height words). False for a
// format that is not a colour format.
bool DecodePixels(Format format, const std::byte* source, uint32_t pitch, uint32_t width, uint32_t height,
                  std::span<uint32_t> out);
// Encodes width x height words into rows of an uncompressed colour format. False for other formats.
bool EncodePixels(Format format, std::span<const uint32_t> pixels, uint32_t width, uint32_t height,
                  std::byte* target, uint32_t pitch);

// The whole image, decoded (empty for formats that do not decode); the caller serialises access.
std::vector<uint32_t> DecodeImage(const PixelImage& image);
// Writes decoded pixels over the whole image (nothing for formats that do not encode).
void EncodeImage(std::span<const uint32_t> pixels, PixelImage& image);
// The next mip level of a width x height image: each pixel the mean of up to 2 x 2 source pixels.
std::vector<uint32_t> HalveImage(std::span<const uint32_t> pixels, uint32_t width, uint32_t height);

}  // namespace platform::gfx
