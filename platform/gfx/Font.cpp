#include "platform/gfx/Font.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gfx/TextFormat.h"

namespace platform::gfx {

Result Font::Create(Device& device, const FontDesc& desc, std::unique_ptr<Font>& out) {
    std::unique_ptr<FontFace> face = OpenFontFace(desc);
    if (!face) {
        return Result::Fail;
    }
    out.reset(new Font(device, desc, std::move(face)));
    return Result::Ok;
}

Font::Font(Device& device, FontDesc desc, std::unique_ptr<FontFace> face)
    : device_(device), desc_(std::move(desc)), face_(std::move(face)) {}

int32_t Font::DrawText(std::u16string_view text, const Rect& rect, uint32_t format, Color color) {
    const TextCoverage coverage = face_->Rasterise(text, GlyphRendering::Smooth);
    if (coverage.width <= 0 || coverage.height <= 0) {
        return coverage.height;
    }
    std::unique_ptr<Texture> texture;
    if (!Succeeded(device_.CreateTexture(static_cast<uint32_t>(coverage.width), static_cast<uint32_t>(coverage.height),
                                         1, 0, Format::A8R8G8B8, Pool::Managed, texture))) {
        return 0;
    }
    LockedRect locked;
    if (!Succeeded(texture->LockRect(0, locked, nullptr, 0))) {
        return 0;
    }
    const uint32_t alphaScale = color >> 24;
    for (int32_t y = 0; y < coverage.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<std::byte*>(locked.bits) + static_cast<size_t>(y) * locked.pitch);
        for (int32_t x = 0; x < coverage.width; ++x) {
            const uint32_t alpha = coverage.alpha[static_cast<size_t>(y) * coverage.width + x] * alphaScale / 255;
            row[x] = (alpha << 24) | (color & 0x00FFFFFFu);
        }
    }
    texture->UnlockRect(0);
    const Point at = PlaceTextLine(rect, coverage.width, coverage.height, format);
    Rect source{0, 0, coverage.width, coverage.height};
    Point target = at;
    if ((format & TextFormat::NoClip) == 0) {
        source.left = std::max(0, rect.left - at.x);
        source.top = std::max(0, rect.top - at.y);
        source.right = std::min(coverage.width, rect.right - at.x);
        source.bottom = std::min(coverage.height, rect.bottom - at.y);
        target = Point{at.x + source.left, at.y + source.top};
        if (source.left >= source.right || source.top >= source.bottom) {
            return coverage.height;
        }
    }
    return Succeeded(device_.DrawSprite(*texture, source, target.x, target.y, 0xFFFFFFFFu)) ? coverage.height : 0;
}

}  // namespace platform::gfx
