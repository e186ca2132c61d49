#pragma once
// The 3D pass of a preview widget drawn into its own rectangle of the back buffer. The device's viewport
// becomes the part of the rectangle still inside the back buffer's viewport (a window may be dragged partly
// off the screen); when the pass ends, the back buffer, its viewport, the 2D mode and no lights come back for
// the widgets drawn after it. The item previews and the cue workshop's part preview draw through it.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "platform/gfx/GfxStructs.h"

namespace kestrovan {

class D3D9RenderDevice;

class PreviewPass {
public:
    // The rectangle from (left, top) to (right, bottom), both exclusive of right and bottom.
    PreviewPass(D3D9RenderDevice& device, int32_t left, int32_t top, int32_t right, int32_t bottom);
    ~PreviewPass();
    PreviewPass(const PreviewPass&) = delete;
    PreviewPass& operator=(const PreviewPass&) = delete;

    // Whether any of the rectangle is on the screen: only then is the viewport set and may the caller draw.
    bool Open() const { return open_; }

private:
    D3D9RenderDevice& device_;
    platform::gfx::Viewport saved_{};
    bool open_ = false;
};

}  // namespace kestrovan
