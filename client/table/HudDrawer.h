#pragma once
// What the table's HUD needs of the 2D pass: images cut from a texture atlas and short texts, at pixel
// rectangles of the window. The device's 2D pass implements it once it is wired; tests record the calls.
//
// Threads: called on the main thread during the 2D pass.
#include <cstdint>

#include "QuillLib/core/WString.h"

namespace kestrovan {

struct HudRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct HudImage {
    uint32_t textureId = 0;
    HudRect source;  // in texture pixels
    HudRect target;  // in window pixels
    float opacity = 1.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float pivotX = 0.0f;  // the point of the image (in its own pixels) that the scale keeps in place
    float pivotY = 0.0f;
    float rotation = 0.0f;  // radians, about the pivot
};

class HudDrawer {
public:
    virtual ~HudDrawer() = default;
    virtual void DrawImage(const HudImage& image) = 0;
    // fontStyle selects one of the program's font descriptions.
    virtual void DrawText(quill::WStringView text, const HudRect& target, int32_t fontStyle, float opacity) = 0;
};

}  // namespace kestrovan
