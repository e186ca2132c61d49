#pragma once
// Digits drawn as strokes, for the numbers on the balls. The interface's digits (number displays, controls) are
// painted in the type of its texts (TextPainter).
#include <cstdint>
#include <string>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class DigitGlyphs {
public:
    // Draws the digits of text centred at (cx, cy), each height pixels tall; other characters are skipped.
    static void Draw(RgbaImage& image, const std::string& text, float cx, float cy, float height, Argb colour);
    // One digit with its box's top-left at (x, y).
    static void DrawDigit(RgbaImage& image, int digit, float x, float y, float height, Argb colour);
};

}  // namespace mkdata
