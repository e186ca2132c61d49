#pragma once
// A cube texture whose face levels live in memory; shared by both devices like MemoryTexture.
//
// Threads: any, as the level locks allow.
#include <memory>
#include <vector>

#include "platform/gfx/CubeTexture.h"
#include "platform/gfx/PixelImage.h"
#include "platform/gfx/TextureBackendData.h"

namespace platform::gfx {

class MemoryCubeTexture : public CubeTexture {
public:
    MemoryCubeTexture(uint32_t edge, uint32_t levels, uint32_t usage, Format format, Pool pool);

    uint32_t GetLevelCount() const override { return levelCount_; }
    void GenerateMipSubLevels() override;
    Result GetLevelDesc(uint32_t level, SurfaceDesc& out) const override;
    std::unique_ptr<Surface> GetCubeMapSurface(CubeFace face, uint32_t level) override;

    Format GetFormat() const { return format_; }
    const std::shared_ptr<PixelImage>& GetLevel(CubeFace face, uint32_t level) const {
        return images_[static_cast<uint32_t>(face) * levelCount_ + level];
    }

    TextureBackendData* GetBackendData() const { return backend_.get(); }
    void SetBackendData(std::unique_ptr<TextureBackendData> data) { backend_ = std::move(data); }

private:
    Format format_;
    uint32_t usage_;
    Pool pool_;
    uint32_t levelCount_;
    std::vector<std::shared_ptr<PixelImage>> images_;
    std::unique_ptr<TextureBackendData> backend_;
};

}  // namespace platform::gfx
