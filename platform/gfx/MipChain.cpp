#include "platform/gfx/MipChain.h"

#include "platform/gfx/PixelConversion.h"

namespace platform::gfx {

uint32_t FullMipChainLength(uint32_t width, uint32_t height) {
    uint32_t edge = width > height ? width : height;
    uint32_t levels = 1;
    while (edge > 1) {
        edge >>= 1;
        ++levels;
    }
    return levels;
}

uint32_t ResolveMipLevels(uint32_t requested, uint32_t width, uint32_t height) {
    const uint32_t full = FullMipChainLength(width, height);
    return requested == 0 || requested > full ? full : requested;
}

std::vector<std::shared_ptr<PixelImage>> MakeMipChain(Format format, uint32_t width, uint32_t height, uint32_t levels) {
    std::vector<std::shared_ptr<PixelImage>> chain;
    for (uint32_t level = 0; level < levels; ++level) {
        chain.push_back(std::make_shared<PixelImage>(format, MipEdge(width, level), MipEdge(height, level)));
    }
    return chain;
}

void RebuildMipChain(const std::vector<std::shared_ptr<PixelImage>>& chain) {
    if (chain.size() < 2 || !IsColourFormat(chain[0]->GetFormat()) || IsCompressed(chain[0]->GetFormat())) {
        return;
    }
    std::vector<uint32_t> pixels = DecodeImage(*chain[0]);
    uint32_t width = chain[0]->GetWidth();
    uint32_t height = chain[0]->GetHeight();
    for (size_t level = 1; level < chain.size(); ++level) {
        pixels = HalveImage(pixels, width, height);
        width = chain[level]->GetWidth();
        height = chain[level]->GetHeight();
        EncodeImage(pixels, *chain[level]);
    }
}

}  // namespace platform::gfx
