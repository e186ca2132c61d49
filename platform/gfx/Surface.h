#pragma once
// One two-dimensional image of the device: a texture level, a cube face level or a back buffer. A surface
// taken from a texture shares the texture's pixels and may outlive the texture object.
#include "platform/gfx/GfxResult.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

class Surface {
public:
    virtual ~Surface() = default;

    virtual SurfaceDesc GetDesc() const = 0;
    // Locks the whole surface (rect null) or a rectangle of it. Compressed formats lock whole 4 x 4 blocks.
    virtual Result LockRect(LockedRect& out, const Rect* rect, uint32_t flags) = 0;
    virtual Result UnlockRect() = 0;

protected:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
};

}  // namespace platform::gfx
