#pragma once
// The back buffer of an OpenGL device as a surface: locking it reads the pixels of the frame into memory, rows
// from the top: the back buffer while a frame is being drawn, after a present the copy the device kept of the
// frame it showed (what a swap leaves in the back buffer is undefined).
//
// Threads: the device's thread.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/Surface.h"

namespace platform::gfx {

class GlBackBufferSurface : public Surface {
public:
    // shownFrame: the texture holding the last presented frame, or 0 to read the back buffer itself.
    GlBackBufferSurface(uint32_t width, uint32_t height, unsigned shownFrame);

    SurfaceDesc GetDesc() const override;
    Result LockRect(LockedRect& out, const Rect* rect, uint32_t flags) override;
    Result UnlockRect() override;

private:
    uint32_t width_;
    uint32_t height_;
    unsigned shownFrame_;
    bool locked_ = false;
    std::vector<uint32_t> pixels_;
};

}  // namespace platform::gfx
