#pragma once
// A surface whose pixels live in memory: a level of a memory texture (sharing its pixels) or a surface of its
// own such as a recording device's back buffer.
#include <memory>

#include "platform/gfx/PixelImage.h"
#include "platform/gfx/Surface.h"

namespace platform::gfx {

class MemorySurface : public Surface {
public:
    MemorySurface(std::shared_ptr<PixelImage> image, SurfaceDesc desc);

    SurfaceDesc GetDesc() const override { return desc_; }
    Result LockRect(LockedRect& out, const Rect* rect, uint32_t flags) override;
    Result UnlockRect() override;

    const std::shared_ptr<PixelImage>& GetImage() const { return image_; }

private:
    std::shared_ptr<PixelImage> image_;
    SurfaceDesc desc_;
};

}  // namespace platform::gfx
