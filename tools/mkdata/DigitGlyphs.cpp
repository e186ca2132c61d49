#include "tools/mkdata/DigitGlyphs.h"

#include <algorithm>
#include <array>

namespace mkdata {
namespace {

// The seven segments a to g of each digit: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle.
constexpr std::array<uint8_t, 10> kSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
constexpr float kWidthRatio = 0.55f;

}  // namespace

void DigitGlyphs::DrawDigit(RgbaImage& image, int digit, float x, float y, float height, Argb colour) {
    if (digit < 0 || digit > 9) {
        return;
    }
    const float w = height * kWidthRatio;
    const float t = std::max(1.0f, height * 0.14f);
    const float left = x + t * 0.5f, right = x + w - t * 0.5f;
    const float top = y + t * 0.5f, middle = y + height * 0.5f, bottom = y + height - t * 0.5f;
    const uint8_t on = kSegments[digit];
    const struct {
        float x0, y0, x1, y1;
    } segments[7] = {{left, top, right, top},       {right, top, right, middle},   {right, middle, right, bottom},
                     {left, bottom, right, bottom}, {left, middle, left, bottom},  {left, top, left, middle},
                     {left, middle, right, middle}};
    for (int segment = 0; segment < 7; ++segment) {
        if (on & (1 << segment)) {
            image.Line(segments[segment].x0, segments[segment].y0, segments[segment].x1, segments[segment].y1, t,
                       colour);
        }
    }
}

void DigitGlyphs::Draw(RgbaImage& image, const std::string& text, float cx, float cy, float height, Argb colour) {
    const float advance = height * (kWidthRatio + 0.2f);
    float count = 0.0f;
    for (char c : text) {
        count += (c >= '0' && c <= '9') ? 1.0f : 0.0f;
    }
    float x = cx - (count * advance - height * 0.2f) * 0.5f;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            DrawDigit(image, c - '0', x, cy - height * 0.5f, height, colour);
            x += advance;
        }
    }
}

}  // namespace mkdata
