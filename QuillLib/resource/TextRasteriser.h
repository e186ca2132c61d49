#pragma once
// What draws the string of a text entry into a texture: the text surfaces (fonts) of the render library.
// A texture item draws text onto its own device texture through it.
//
// Threads: the device's thread.
#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {
class Texture;
}

namespace quill {

class TextEntry;

class TextRasteriser {
public:
    // Draws the entry's text into rect of level 0 of the texture (texels of the entry's colours, transparent
    // elsewhere).
    virtual bool Rasterise(platform::gfx::Texture& texture, const TextEntry& entry,
                           const platform::gfx::Rect& rect) = 0;

protected:
    TextRasteriser() = default;
    ~TextRasteriser() = default;
    TextRasteriser(const TextRasteriser&) = delete;
    TextRasteriser& operator=(const TextRasteriser&) = delete;
};

}  // namespace quill
