// Fonts of the system: measuring, the classic height rule, Korean text from the fallback face, and text
// drawn on the 16-bit canvas, whose small unsmoothed glyphs keep every stem.
#include <gtest/gtest.h>

#include <utility>

#include "platform/gfx/Canvas16.h"
#include "platform/gfx/FontFace.h"
#include "platform/gfx/TextFormat.h"

namespace platform::gfx {
namespace {

std::unique_ptr<FontFace> Open(int32_t height, uint32_t weight = 400) {
    auto face = OpenFontFace(FontDesc{u"MS Shell Dlg", height, weight, false});
    EXPECT_NE(face, nullptr);
    return face;
}

TEST(FontFaceTest, WidthsAddUpAndTheCellFollowsTheHeightRule) {
    auto face = Open(16);
    const TextExtent a = face->Measure(u"a"), b = face->Measure(u"b"), ab = face->Measure(u"ab");
    EXPECT_EQ(ab.cx, a.cx + b.cx);
    EXPECT_GT(a.cx, 0);
    EXPECT_EQ(ab.cy, 16);  // positive height: the cell
    EXPECT_GT(Open(-16)->Measure(u"|").cy, 16);  // negative height: the em, so a taller cell
    EXPECT_GT(Open(16, 700)->Measure(u"abc").cx, face->Measure(u"abc").cx);
    EXPECT_EQ(face->Measure(u"").cx, 0);
}

// Counts the separate runs of ink along one row of the canvas.
int InkRuns(const Canvas16& canvas, uint32_t y) {
    int runs = 0;
    bool inside = false;
    for (uint32_t x = 0; x < canvas.GetWidth(); ++x) {
        const bool ink = canvas.At(x, y) != Canvas16::kWhite;
        runs += ink && !inside;
        inside = ink;
    }
    return runs;
}

// The rows of the canvas that hold ink, first and last; {-1, -1} when none.
std::pair<int32_t, int32_t> InkRows(const Canvas16& canvas) {
    int32_t first = -1, last = -1;
    for (uint32_t y = 0; y < canvas.GetHeight(); ++y) {
        if (InkRuns(canvas, y) == 0)
            continue;
        if (first < 0)
            first = static_cast<int32_t>(y);
        last = static_cast<int32_t>(y);
    }
    return {first, last};
}

Canvas16 Drawn(FontFace& face, std::u16string_view text) {
    Canvas16 canvas(32, 24);
    canvas.DrawText(face, text, Rect{2, 2, 32, 24}, TextFormat::Left | TextFormat::SingleLine, 0);
    return canvas;
}

TEST(FontFaceTest, SmallCanvasTextKeepsEveryStem) {
    for (int32_t height : {9, 10, 11, 12}) {
        SCOPED_TRACE(height);
        auto face = Open(height);
        // Halfway down the x-height, n shows its two stems and d its bowl beside its stem.
        const Canvas16 n = Drawn(*face, u"n");
        const auto [top, bottom] = InkRows(n);
        ASSERT_GE(top, 0);
        const uint32_t middle = static_cast<uint32_t>(top + bottom + 1) / 2;
        EXPECT_EQ(InkRuns(n, middle), 2);
        EXPECT_EQ(InkRuns(n, static_cast<uint32_t>(bottom)), 2);
        EXPECT_EQ(InkRuns(Drawn(*face, u"d"), middle), 2);
        EXPECT_GE(InkRows(Drawn(*face, u",")).first, 0);
    }
}

TEST(FontFaceTest, CanvasTextLandsWithinItsMeasuredWidth) {
    auto face = Open(12);
    for (std::u16string_view text : {u"Right button drag : aim", u"(pull back, push)", u"W"}) {
        const int32_t width = face->Measure(text).cx;
        Canvas16 canvas(200, 16);
        canvas.DrawText(*face, text, Rect{50, 0, 50 + width, 16},
                        TextFormat::Right | TextFormat::SingleLine | TextFormat::NoClip, 0);
        // A glyph may overhang its advance by a pixel, no more.
        for (uint32_t y = 0; y < 16; ++y) {
            for (uint32_t x = 0; x < 200; ++x) {
                const bool outside = x < 49 || x > 51 + static_cast<uint32_t>(width);
                EXPECT_FALSE(outside && canvas.At(x, y) != Canvas16::kWhite) << "ink at " << x << "," << y;
            }
        }
        EXPECT_EQ(face->Rasterise(text, GlyphRendering::Ink).width, width);
    }
}

TEST(FontFaceTest, KoreanTextComesFromTheFallbackFace) {
    auto face = Open(16);
    for (GlyphRendering rendering : {GlyphRendering::Smooth, GlyphRendering::Ink}) {
        const TextCoverage coverage = face->Rasterise(u"\uD55C\uAE00", rendering);  // two Hangul syllables
        ASSERT_GT(coverage.width, 8);
        int inked = 0;
        for (uint8_t alpha : coverage.alpha)
            inked += alpha > 128;
        EXPECT_GT(inked, 20);
    }
}

TEST(FontFaceTest, CanvasTextIsBlackOnWhiteAndCentredSymmetrically) {
    auto face = Open(20);
    Canvas16 canvas(64, 24);
    canvas.FillWhite(Rect{0, 0, 64, 24});
    canvas.DrawText(*face, u"I", Rect{0, 0, 64, 24}, TextFormat::Center | TextFormat::SingleLine, 0);
    int32_t first = -1, last = -1;
    bool black = false;
    for (uint32_t x = 0; x < 64; ++x) {
        for (uint32_t y = 0; y < 24; ++y) {
            if (canvas.At(x, y) != Canvas16::kWhite) {
                if (first < 0)
                    first = static_cast<int32_t>(x);
                last = static_cast<int32_t>(x);
            }
            black |= canvas.At(x, y) == 0;
        }
    }
    EXPECT_TRUE(black);
    ASSERT_GE(first, 0);
    EXPECT_NEAR(first + last, 63, 3);
}

}  // namespace
}  // namespace platform::gfx
