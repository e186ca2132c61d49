#pragma once
// A 16-bit top-down pixel buffer (X1R5G5B5: white is 0x7FFF) on which lines of text are drawn the classic
// way: a rectangle filled white, then text in a colour over what is there, the background left as it
// is. Text is drawn without smoothing: each pixel is ink or untouched. The device layer's shared text bitmap
// is one of these.
//
// Threads: one at a time (the owner locks).
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/gfx/FontFace.h"
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

class Canvas16 {
public:
    static constexpr uint16_t kWhite = 0x7FFF;

    Canvas16(uint32_t width, uint32_t height);

    uint32_t GetWidth() const { return width_; }
    uint32_t GetHeight() const { return height_; }
    uint16_t At(uint32_t x, uint32_t y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Fills the rectangle (clipped to the canvas) with white.
    void FillWhite(const Rect& rect);
    // Draws one line of text placed in rect by the TextFormat flags, in colour 0x00BBGGRR; clipped to rect
    // unless TextFormat::NoClip, always to the canvas.
    void DrawText(FontFace& font, std::u16string_view text, const Rect& rect, uint32_t format, uint32_t colorRef);

private:
    Rect ClipToCanvas(const Rect& rect) const;

    uint32_t width_;
    uint32_t height_;
    std::vector<uint16_t> pixels_;
};

}  // namespace platform::gfx
