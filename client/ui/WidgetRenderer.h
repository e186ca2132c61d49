#pragma once
// The 2D drawing widgets do, on the device's overlay pass (the frame has begun it): textured rectangles and
// text entries, and the font cache the labels take their text surfaces from.
//
// Threads: DrawImage and DrawText on the main thread, in the frame's 2D pass; GetTextSurface from any thread.
#include <cstdint>

#include "client/ui/WidgetRect.h"

namespace quill {
class TextEntry;
class TextSurface;
}  // namespace quill

namespace kestrovan {

class WidgetTexture;
struct FontDesc;

class WidgetRenderer {
public:
    virtual ~WidgetRenderer() = default;

    // Draws the source rectangle of the texture (inclusive edges, texture pixels) with its top-left at (x, y),
    // scaled by (scaleX, scaleY), white tinted with the opacity (0..1) as alpha. updateArg is the value the
    // widget's graphics were loaded with.
    virtual void DrawImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float scaleX,
                           float scaleY, float opacity, uint32_t updateArg) = 0;
    // Draws like DrawImage, turned by radians (clockwise on the screen) about the pivot, given in pixels of the
    // drawn image from its top-left. A renderer that cannot turn images draws them unturned.
    virtual void DrawRotatedImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float scaleX,
                                  float scaleY, float opacity, float pivotX, float pivotY, float radians,
                                  uint32_t updateArg) {
        (void)pivotX;
        (void)pivotY;
        (void)radians;
        DrawImage(texture, source, x, y, scaleX, scaleY, opacity, updateArg);
    }
    // Draws the text entry with its top-left at (x, y).
    virtual void DrawText(quill::TextEntry& text, float x, float y) = 0;
    // The text surface of the font; null when the font cannot be opened.
    virtual quill::TextSurface* GetTextSurface(const FontDesc& font) = 0;
};

}  // namespace kestrovan
