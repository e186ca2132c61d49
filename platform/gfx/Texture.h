#pragma once
// A plain two-dimensional texture with its mip levels.
#include <memory>

#include "platform/gfx/BaseTexture.h"
#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"
#include "platform/gfx/Surface.h"

namespace platform::gfx {

class Texture : public BaseTexture {
public:
    ResourceType GetType() const override { return ResourceType::Texture; }

    virtual Result GetLevelDesc(uint32_t level, SurfaceDesc& out) const = 0;
    // The surface of one level; null when the level does not exist.
    virtual std::unique_ptr<Surface> GetSurfaceLevel(uint32_t level) = 0;
    virtual Result LockRect(uint32_t level, LockedRect& out, const Rect* rect, uint32_t flags) = 0;
    virtual Result UnlockRect(uint32_t level) = 0;
};

}  // namespace platform::gfx
