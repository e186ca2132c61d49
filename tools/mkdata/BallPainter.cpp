#include "tools/mkdata/BallPainter.h"

#include <cmath>
#include <string>

#include "tools/mkdata/DigitGlyphs.h"

namespace mkdata {
namespace {

constexpr uint32_t kWidth = 256;
constexpr uint32_t kHeight = 128;
constexpr Argb kBallIvory = 0xFFF4F1E6;
constexpr Argb kInk = 0xFF141414;

// A round spot with the number at longitude u (0..1) on the equator, shown twice around the ball.
void PaintNumberSpot(RgbaImage& image, float u, uint32_t number) {
    const float cx = u * kWidth, cy = kHeight * 0.5f;
    const float radius = kHeight * 0.16f;
    image.FillCircle(cx, cy, radius, kBallIvory);
    if (number > 0) {
        DigitGlyphs::Draw(image, std::to_string(number), cx, cy, radius * 1.15f, kInk);
    }
}

}  // namespace

RgbaImage BallPainter::Paint(Style style, Argb colour, uint32_t number) {
    RgbaImage image(kWidth, kHeight, style == Style::Stripe ? kBallIvory : colour);
    if (style == Style::Stripe) {
        // The band covers the latitudes within 35 degrees of the equator.
        const int32_t band = static_cast<int32_t>(kHeight * 35.0f / 180.0f);
        image.FillRect(0, static_cast<int32_t>(kHeight / 2) - band, kWidth, 2 * band, colour);
    }
    if (style == Style::Banded) {
        image.FillRect(0, static_cast<int32_t>(kHeight * 0.3f), kWidth, 3, Shade(colour, 0.55f));
        image.FillRect(0, static_cast<int32_t>(kHeight * 0.7f), kWidth, 3, Shade(colour, 0.55f));
    }
    if (number > 0) {
        PaintNumberSpot(image, 0.25f, number);
        PaintNumberSpot(image, 0.75f, number);
    }
    return image;
}

}  // namespace mkdata
