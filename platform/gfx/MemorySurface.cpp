#include "platform/gfx/MemorySurface.h"

#include <utility>

namespace platform::gfx {

MemorySurface::MemorySurface(std::shared_ptr<PixelImage> image, SurfaceDesc desc)
    : image_(std::move(image)), desc_(desc) {}

Result MemorySurface::LockRect(LockedRect& out, const Rect* rect, uint32_t flags) {
    return image_->Lock(out, rect, flags);
}

Result MemorySurface::UnlockRect() {
    return image_->Unlock();
}

}  // namespace platform::gfx
