#pragma once
// Shows a rectangle of the back buffer on the window without swapping buffers (GLX_MESA_copy_sub_buffer, which
// Mesa's software rasteriser and most of Mesa's X drivers offer): the back buffer keeps its pixels, so the next
// frame may redraw only what changed. Where the window system offers no such copy (no GLX context, the
// extension missing) it is not available and frames are swapped as usual.
//
// Threads: the thread whose OpenGL context is current.
#include <cstdint>

namespace platform::gfx {

class GlPartialPresenter {
public:
    // Looks the copy up for the context current on this thread.
    GlPartialPresenter();

    bool Available() const { return copy_ != nullptr; }
    // Shows the rectangle (window coordinates, rows from the bottom) of the current drawable's back buffer;
    // false when it could not (then nothing was shown).
    bool Show(int32_t x, int32_t y, int32_t width, int32_t height) const;

private:
    using CopySubBuffer = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
    CopySubBuffer copy_ = nullptr;
};

}  // namespace platform::gfx
