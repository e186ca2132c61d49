#include "tools/mkdata/BadgePainter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tools/mkdata/TextPainter.h"

namespace mkdata {
namespace {

constexpr Argb kIvory = 0xFFF4F1E6;
constexpr Argb kGold = 0xFFF0C040;
constexpr Argb kInkDark = 0xFF202020;
constexpr Argb kInkLight = 0xFFFFFFFF;

struct GameTypeBall {
    const char16_t* tag;
    Argb ball;
    Argb ink;
};

// By cell: carom balls are ivory, a game for a stake is a gold coin, the pocket games wear their ball.
constexpr std::array<GameTypeBall, BadgePainter::kGameTypeCells> kGameTypeBalls{{
    {u"4B", kIvory, 0xFFC8141E},     // four-ball
    {u"1C", kGold, kInkDark},        // one-cushion for a stake
    {u"3C", kIvory, 0xFF1E3CB4},     // three-cushion
    {u"PRO", kIvory, 0xFF1E3CB4},    // three-cushion, international rules
    {u"3C", kGold, kInkDark},        // three-cushion for a stake
    {u"6B", kIvory, 0xFF1E7A3C},     // six balls
    {u"8", 0xFF141414, kInkLight},   // 8-ball
    {u"C", 0xFF8A94A0, kInkLight},   // the card ball
    {u"9", 0xFFF2C01A, kInkDark},    // 9-ball
    {u"14", 0xFFE8641E, kInkLight},  // 14.1
    {u"SN", 0xFFC8141E, kInkLight},  // snooker
}};

// The plates of the level badges, one a tier of ten levels: bronze, silver, gold, teal, then red.
struct Plate {
    Argb colour;
    Argb ink;
};
constexpr std::array<Plate, 5> kLevelPlates{{{0xFFB06A30, kInkLight},
                                             {0xFFB8C0C8, kInkDark},
                                             {0xFFE8B830, kInkDark},
                                             {0xFF2FA7A0, kInkLight},
                                             {0xFFC83030, kInkLight}}};

std::u16string Digits(int32_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// A flat disc with a darker rim, which sets it off from the face it lies on.
void Disc(RgbaImage& image, float cx, float cy, float radius, Argb colour) {
    image.FillCircle(cx, cy, radius, Shade(colour, 0.6f));
    image.FillCircle(cx, cy, radius - 1.0f, colour);
}

// Whether (px, py) lies in the star's polygon of ten corners (even-odd rule).
bool Inside(const std::array<float, 20>& corners, float px, float py) {
    bool inside = false;
    for (size_t i = 0, j = 9; i < 10; j = i++) {
        const float xi = corners[2 * i], yi = corners[2 * i + 1], xj = corners[2 * j], yj = corners[2 * j + 1];
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

}  // namespace

bool BadgePainter::DrawGameTypeBall(RgbaImage& image, int32_t cell, float cx, float cy, float radius, bool lit,
                                    Argb face) {
    if (cell < 0 || cell >= kGameTypeCells)
        return false;
    const GameTypeBall& type = kGameTypeBalls[static_cast<size_t>(cell)];
    const float dim = lit ? 0.0f : 0.55f;
    Disc(image, cx, cy, radius, Mix(type.ball, face, dim));
    return TextPainter::DrawFitted(image, type.tag, cx - radius * 0.72f, cy - radius * 0.5f, radius * 1.44f,
                                   radius * 1.0f, Mix(type.ink, face, dim));
}

bool BadgePainter::DrawLevelBadge(RgbaImage& image, int32_t x, int32_t y, int32_t size, int32_t level) {
    const Plate& plate = kLevelPlates[static_cast<size_t>(std::clamp((level - 1) / 10, 0, 4))];
    image.FillRect(x, y, size, size, plate.colour & 0x00FFFFFFu);
    const float s = static_cast<float>(size);
    const float cx = static_cast<float>(x) + s * 0.5f, cy = static_cast<float>(y) + s * 0.5f;
    Disc(image, cx, cy, s * 0.47f, plate.colour);
    return TextPainter::DrawFitted(image, Digits(level), cx - s * 0.33f, cy - s * 0.25f, s * 0.66f, s * 0.5f,
                                   plate.ink);
}

void BadgePainter::DrawStarMark(RgbaImage& image, int32_t x, int32_t y, int32_t w, int32_t h) {
    image.FillRect(x, y, w, h, kGold & 0x00FFFFFFu);
    const float cx = static_cast<float>(x) + static_cast<float>(w) * 0.5f;
    const float cy = static_cast<float>(y) + static_cast<float>(h) * 0.54f;
    const float outer = static_cast<float>(std::min(w, h)) * 0.5f, inner = outer * 0.45f;
    std::array<float, 20> corners{};
    for (size_t k = 0; k < 10; ++k) {
        const float angle = -1.5707964f + static_cast<float>(k) * 0.62831855f;
        const float r = k % 2 == 0 ? outer : inner;
        corners[2 * k] = cx + r * std::cos(angle);
        corners[2 * k + 1] = cy + r * std::sin(angle);
    }
    // Four by four samples a pixel, for smooth edges.
    for (int32_t py = y; py < y + h; ++py) {
        for (int32_t px = x; px < x + w; ++px) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx)
                    hits += Inside(corners, static_cast<float>(px) + (static_cast<float>(sx) + 0.5f) / 4.0f,
                                   static_cast<float>(py) + (static_cast<float>(sy) + 0.5f) / 4.0f)
                                ? 1
                                : 0;
            }
            if (hits > 0)
                image.Blend(px, py, kGold, static_cast<float>(hits) / 16.0f);
        }
    }
}

}  // namespace mkdata
