#pragma once
// The back buffer of an OpenGL device as a surface: locking it reads the pixels of the frame into memory, rows
// from the top. Nothing is read before a lock. Read while a frame is drawn, it holds that frame; after a
// present it holds what the swap left, the frame presented on the copying swaps of software renderers and
// undefined elsewhere, so the program takes its screenshots before presenting.
//
// Threads: the device's thread.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx/Surface.h"

namespace platform::gfx {

class GlBackBufferSurface : public Surface {
public:
    GlBackBufferSurface(uint32_t width, uint32_t height);

    SurfaceDesc GetDesc() const override;
    Result LockRect(LockedRect& out, const Rect* rect, uint32_t flags) override;
    Result UnlockRect() override;

private:
    uint32_t width_;
    uint32_t height_;
    bool locked_ = false;
    std::vector<uint32_t> pixels_;
};

}  // namespace platform::gfx
