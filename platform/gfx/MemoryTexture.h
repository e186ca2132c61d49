#pragma once
// A plain texture whose levels live in memory. Both devices use it: the recording device keeps it as it is,
// the OpenGL device copies changed levels to the hardware at the next draw that binds it and stores its own
// data in the backend slot, whose destructor runs when the texture goes.
//
// Threads: any, as the level locks allow.
#include <functional>
#include <memory>
#include <vector>

#include "platform/gfx/PixelImage.h"
#include "platform/gfx/Texture.h"
#include "platform/gfx/TextureBackendData.h"

namespace platform::gfx {

class MemoryTexture : public Texture {
public:
    // levels 0 makes the full chain.
    MemoryTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage, Format format, Pool pool);

    uint32_t GetLevelCount() const override { return static_cast<uint32_t>(levels_.size()); }
    void GenerateMipSubLevels() override;
    Result GetLevelDesc(uint32_t level, SurfaceDesc& out) const override;
    std::unique_ptr<Surface> GetSurfaceLevel(uint32_t level) override;
    Result LockRect(uint32_t level, LockedRect& out, const Rect* rect, uint32_t flags) override;
    Result UnlockRect(uint32_t level) override;

    Format GetFormat() const { return format_; }
    uint32_t GetUsage() const { return usage_; }
    const std::shared_ptr<PixelImage>& GetLevel(uint32_t level) const { return levels_[level]; }

    // A texture whose pixels nobody writes again (made from an image file) may lose its levels' bytes once a
    // device holds a copy of them, or while no device needs them yet; a later lock finds zeroed pixels
    // unless the texture has a restorer, which fills the levels again (from the file).
    bool ReleasesPixelsOnceHeld() const { return releasesPixels_; }
    void SetReleasesPixelsOnceHeld(bool release) { releasesPixels_ = release; }
    using Restorer = std::function<bool(MemoryTexture&)>;
    void SetRestorer(Restorer restorer) { restorer_ = std::move(restorer); }
    bool HasRestorer() const { return static_cast<bool>(restorer_); }
    // Fills levels whose bytes were given up, through the restorer; false when one stays without.
    bool RestorePixels();
    // Gives every level's bytes up.
    void ReleasePixels();
    // Takes the pixels of a texture of the same size, levels and format (the restorer's work).
    bool TakePixelsFrom(MemoryTexture& other);

    TextureBackendData* GetBackendData() const { return backend_.get(); }
    void SetBackendData(std::unique_ptr<TextureBackendData> data) { backend_ = std::move(data); }

private:
    Format format_;
    uint32_t usage_;
    Pool pool_;
    std::vector<std::shared_ptr<PixelImage>> levels_;
    bool releasesPixels_ = false;
    Restorer restorer_;
    // Last, so destroyed first: while the backend's data goes (a device may be reading the texture under
    // its own lock until then), the rest of the texture is whole.
    std::unique_ptr<TextureBackendData> backend_;
};

}  // namespace platform::gfx
