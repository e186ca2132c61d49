#include "platform/gfx/MemoryCubeTexture.h"

#include "platform/gfx/MemorySurface.h"
#include "platform/gfx/MipChain.h"

namespace platform::gfx {

MemoryCubeTexture::MemoryCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool)
    : format_(format), usage_(usage), pool_(pool), levelCount_(ResolveMipLevels(levels, edge, edge)) {
    for (uint32_t face = 0; face < kCubeFaceCount; ++face) {
        for (auto& image : MakeMipChain(format, edge, edge, levelCount_)) {
            images_.push_back(std::move(image));
        }
    }
}

void MemoryCubeTexture::GenerateMipSubLevels() {
    for (uint32_t face = 0; face < kCubeFaceCount; ++face) {
        const auto first = images_.begin() + face * levelCount_;
        RebuildMipChain(std::vector<std::shared_ptr<PixelImage>>(first, first + levelCount_));
    }
}

Result MemoryCubeTexture::GetLevelDesc(uint32_t level, SurfaceDesc& out) const {
    if (level >= levelCount_) {
        return Result::InvalidCall;
    }
    out = DescribeImage(*images_[level], usage_, pool_);
    return Result::Ok;
}

std::unique_ptr<Surface> MemoryCubeTexture::GetCubeMapSurface(CubeFace face, uint32_t level) {
    if (level >= levelCount_ || static_cast<uint32_t>(face) >= kCubeFaceCount) {
        return nullptr;
    }
    const auto& image = GetLevel(face, level);
    return std::make_unique<MemorySurface>(image, DescribeImage(*image, usage_, pool_));
}

}  // namespace platform::gfx
