#pragma once
// Our reader and writer of DDS image files: plain and cube textures with their mip levels, compressed
// (DXT1, DXT3, DXT5) or in one of the uncompressed formats of the layer. The reader checks every size
// against the bytes it is given and refuses what it cannot hold.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gfx/GfxFormat.h"

namespace platform::gfx {

struct DdsFile {
    Format format = Format::Unknown;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t levels = 1;
    bool cube = false;
    // One entry per face (one face for a plain texture) and level, faces outer: face * levels + level.
    std::vector<std::span<const std::byte>> images;

    std::span<const std::byte> Image(uint32_t face, uint32_t level) const { return images[face * levels + level]; }
};

// The file's description and its image bytes (views into file); empty for anything damaged or unsupported.
std::optional<DdsFile> ReadDdsFile(std::span<const std::byte> file);

// A single-level DDS file of 32-bit pixels (0xAARRGGBB words, width x height); alpha is kept when withAlpha.
std::vector<std::byte> WriteDdsFile(std::span<const uint32_t> pixels, uint32_t width, uint32_t height,
                                    bool withAlpha);

}  // namespace platform::gfx
