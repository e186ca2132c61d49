#include "platform/gfx/Canvas16.h"

#include <algorithm>

#include "platform/gfx/TextFormat.h"

namespace platform::gfx {
namespace {

uint16_t To555(uint32_t colorRef) {
    const uint32_t r = (colorRef & 0xFF) >> 3, g = ((colorRef >> 8) & 0xFF) >> 3, b = ((colorRef >> 16) & 0xFF) >> 3;
    return static_cast<uint16_t>((r << 10) | (g << 5) | b);
}

Rect Intersect(const Rect& a, const Rect& b) {
    return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

}  // namespace

Canvas16::Canvas16(uint32_t width, uint32_t height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, kWhite) {}

Rect Canvas16::ClipToCanvas(const Rect& rect) const {
    return Intersect(rect, Rect{0, 0, static_cast<int32_t>(width_), static_cast<int32_t>(height_)});
}

void Canvas16::FillWhite(const Rect& rect) {
    const Rect area = ClipToCanvas(rect);
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            pixels_[static_cast<size_t>(y) * width_ + static_cast<size_t>(x)] = kWhite;
        }
    }
}

void Canvas16::DrawText(FontFace& font, std::u16string_view text, const Rect& rect, uint32_t format,
                        uint32_t colorRef) {
    // Unsmoothed: the face fits its outlines to whole pixels and each pixel is ink or stays what lay under
    // it, as classic text drawing does at interface sizes.
    const TextCoverage coverage = font.Rasterise(text, GlyphRendering::Ink);
    const Point at = PlaceTextLine(rect, coverage.width, coverage.height, format);
    const Rect clip = (format & TextFormat::NoClip) != 0 ? ClipToCanvas(Rect{at.x, at.y, at.x + coverage.width,
                                                                            at.y + coverage.height})
                                                          : ClipToCanvas(rect);
    for (int32_t row = 0; row < coverage.height; ++row) {
        const int32_t y = at.y + row;
        if (y < clip.top || y >= clip.bottom) continue;
        for (int32_t column = 0; column < coverage.width; ++column) {
            const int32_t x = at.x + column;
            const uint32_t alpha = coverage.alpha[static_cast<size_t>(row) * coverage.width + column];
            if (x < clip.left || x >= clip.right || alpha == 0) continue;
            pixels_[static_cast<size_t>(y) * width_ + static_cast<size_t>(x)] = To555(colorRef);
        }
    }
}

}  // namespace platform::gfx
