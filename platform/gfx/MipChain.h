#pragma once
// The sizes of a chain of mip levels.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/PixelImage.h"

namespace platform::gfx {

// Levels of the full chain of an image down to 1 x 1.
uint32_t FullMipChainLength(uint32_t width, uint32_t height);
// The edge of level `level` of an edge (never below 1).
inline uint32_t MipEdge(uint32_t edge, uint32_t level) {
    const uint32_t shifted = level >= 32 ? 0 : edge >> level;
    return shifted == 0 ? 1 : shifted;
}
// The level count to make: 0 asks for the full chain, more than the full chain is cut to it.
uint32_t ResolveMipLevels(uint32_t requested, uint32_t width, uint32_t height);

// The images of a chain of `levels` levels (already resolved) of the given size.
std::vector<std::shared_ptr<PixelImage>> MakeMipChain(Format format, uint32_t width, uint32_t height, uint32_t levels);
// Rebuilds every level below the first from the one above it (uncompressed colour formats only).
void RebuildMipChain(const std::vector<std::shared_ptr<PixelImage>>& chain);

}  // namespace platform::gfx
