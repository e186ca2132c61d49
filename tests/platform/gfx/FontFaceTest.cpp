// Fonts of the system: measuring, the classic height rule, Korean text from the fallback face, and text
// drawn on the 16-bit canvas.
#include <gtest/gtest.h>

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

TEST(FontFaceTest, KoreanTextComesFromTheFallbackFace) {
    auto face = Open(16);
    const TextCoverage coverage = face->Rasterise(u"\uD55C\uAE00");  // two Hangul syllables
    ASSERT_GT(coverage.width, 8);
    int inked = 0;
    for (uint8_t alpha : coverage.alpha) inked += alpha > 128;
    EXPECT_GT(inked, 20);
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
                if (first < 0) first = static_cast<int32_t>(x);
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
