#include "tools/mkdata/TextPainter.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

#include "platform/gfx/FontFace.h"

namespace mkdata {
namespace {

// The em size at which fitted text is measured before it is scaled to its box.
constexpr int32_t kMeasureEm = 64;
constexpr uint32_t kBold = 700;
constexpr uint32_t kRegular = 400;

// The system's font library (fontconfig) is not to be entered from two threads at once, and mkdata paints
// the interface textures of several packages side by side: fonts are opened and rasterised one at a time.
std::mutex& FontLibraryLock() {
    static std::mutex lock;
    return lock;
}

void Blend(RgbaImage& image, const platform::gfx::TextCoverage& coverage, int32_t left, int32_t top, Argb colour) {
    for (int32_t row = 0; row < coverage.height; ++row) {
        for (int32_t column = 0; column < coverage.width; ++column) {
            const uint8_t alpha = coverage.alpha[static_cast<size_t>(row) * coverage.width + column];
            if (alpha != 0) image.Blend(left + column, top + row, colour, static_cast<float>(alpha) / 255.0f);
        }
    }
}

// The rows and columns of the coverage that hold ink.
struct InkBox {
    int32_t left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};

InkBox InkOf(const platform::gfx::TextCoverage& coverage) {
    InkBox box{coverage.width, coverage.height, 0, 0};
    for (int32_t row = 0; row < coverage.height; ++row) {
        for (int32_t column = 0; column < coverage.width; ++column) {
            if (coverage.alpha[static_cast<size_t>(row) * coverage.width + column] == 0) continue;
            box = {std::min(box.left, column), std::min(box.top, row), std::max(box.right, column + 1),
                   std::max(box.bottom, row + 1)};
        }
    }
    return box;
}

}  // namespace

bool TextPainter::DrawInkFitted(RgbaImage& image, const std::u16string& text, float x, float y, float w, float h,
                                Argb colour) {
    const std::lock_guard hold(FontLibraryLock());
    std::unique_ptr<platform::gfx::FontFace> measure =
        platform::gfx::OpenFontFace({u"DejaVu Sans", -kMeasureEm, kBold, false});
    if (!measure) return false;
    const InkBox measured = InkOf(measure->Rasterise(text, platform::gfx::GlyphRendering::Smooth));
    if (measured.Empty()) return false;
    const float scale = std::min(w / static_cast<float>(measured.right - measured.left),
                                 h / static_cast<float>(measured.bottom - measured.top));
    const int32_t em = std::max(6, static_cast<int32_t>(std::floor(kMeasureEm * scale)));
    std::unique_ptr<platform::gfx::FontFace> face = platform::gfx::OpenFontFace({u"DejaVu Sans", -em, kBold, false});
    if (!face) return false;
    const platform::gfx::TextCoverage coverage = face->Rasterise(text, platform::gfx::GlyphRendering::Smooth);
    const InkBox ink = InkOf(coverage);
    if (ink.Empty()) return false;
    const float left = x + (w - static_cast<float>(ink.right - ink.left)) * 0.5f - static_cast<float>(ink.left);
    const float top = y + (h - static_cast<float>(ink.bottom - ink.top)) * 0.5f - static_cast<float>(ink.top);
    Blend(image, coverage, static_cast<int32_t>(std::lround(left)), static_cast<int32_t>(std::lround(top)), colour);
    return true;
}

bool TextPainter::DrawFitted(RgbaImage& image, const std::u16string& text, float x, float y, float w, float h,
                             Argb colour) {
    const std::lock_guard hold(FontLibraryLock());
    std::unique_ptr<platform::gfx::FontFace> measure =
        platform::gfx::OpenFontFace({u"DejaVu Sans", -kMeasureEm, kBold, false});
    if (!measure) return false;
    const platform::gfx::TextExtent extent = measure->Measure(text);
    if (extent.cx <= 0 || extent.cy <= 0) return false;
    const float scale = std::min(w / static_cast<float>(extent.cx), h / static_cast<float>(extent.cy));
    const int32_t em = std::max(6, static_cast<int32_t>(std::floor(kMeasureEm * scale)));
    std::unique_ptr<platform::gfx::FontFace> face = platform::gfx::OpenFontFace({u"DejaVu Sans", -em, kBold, false});
    if (!face) return false;
    const platform::gfx::TextCoverage coverage = face->Rasterise(text, platform::gfx::GlyphRendering::Smooth);
    Blend(image, coverage, static_cast<int32_t>(std::lround(x + (w - static_cast<float>(coverage.width)) * 0.5f)),
          static_cast<int32_t>(std::lround(y + (h - static_cast<float>(coverage.height)) * 0.5f)), colour);
    return true;
}

bool TextPainter::DrawCaption(RgbaImage& image, const std::u16string& text, int32_t x, int32_t y, int32_t w,
                              int32_t h, int32_t size, bool bold, Argb colour, Align align) {
    const std::lock_guard hold(FontLibraryLock());
    std::unique_ptr<platform::gfx::FontFace> face =
        platform::gfx::OpenFontFace({u"DejaVu Sans", -size, bold ? kBold : kRegular, false});
    if (!face) return false;
    const platform::gfx::TextCoverage coverage = face->Rasterise(text, platform::gfx::GlyphRendering::Smooth);
    if (coverage.width > w) return false;
    int32_t left = x;
    if (align == Align::Centre) left = x + (w - coverage.width) / 2;
    if (align == Align::Right) left = x + w - coverage.width;
    Blend(image, coverage, left, y + (h - coverage.height) / 2, colour);
    return true;
}

}  // namespace mkdata
