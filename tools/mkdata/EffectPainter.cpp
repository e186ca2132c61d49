#include "tools/mkdata/EffectPainter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mkdata {

RgbaImage EffectPainter::Shadow() {
    constexpr uint32_t kSize = 64;
    RgbaImage image(kSize, kSize, 0);
    for (uint32_t y = 0; y < kSize; ++y) {
        for (uint32_t x = 0; x < kSize; ++x) {
            const float d = std::hypot(x + 0.5f - kSize / 2.0f, y + 0.5f - kSize / 2.0f) / (kSize / 2.0f);
            const float alpha = std::clamp(1.0f - d, 0.0f, 1.0f);
            image.Set(x, y, MakeArgb(static_cast<uint8_t>(alpha * alpha * 200.0f), 0, 0, 0));
        }
    }
    return image;
}

RgbaImage EffectPainter::TargetRing(Argb colour) {
    RgbaImage image(64, 64, WithAlpha(colour, 0));
    image.FillRing(32.0f, 32.0f, 24.0f, 29.0f, colour);
    image.Line(32.0f, 14.0f, 32.0f, 50.0f, 2.0f, colour);
    image.Line(14.0f, 32.0f, 50.0f, 32.0f, 2.0f, colour);
    return image;
}

RgbaImage EffectPainter::Guide(Argb colour) {
    RgbaImage image(64, 8, WithAlpha(colour, 0));
    for (int32_t x = 0; x < 64; x += 16) {
        image.FillRect(x, 2, 10, 4, colour);
    }
    return image;
}

RgbaImage EffectPainter::Particle(Argb colour) {
    RgbaImage image(32, 32, WithAlpha(colour, 0));
    for (int ring = 0; ring < 8; ++ring) {
        image.FillCircle(16.0f, 16.0f, 15.0f - ring * 1.8f, WithAlpha(colour, 40));
    }
    return image;
}

RgbaImage EffectPainter::Reflection(uint32_t variant) {
    // The map is added to the lit colour of a ball or a cue (the top of the image is what lies straight above,
    // its middle row the horizon, the bottom the floor), so it holds only what a polished surface shows
    // beside its own colour: a dim room, faint at the horizon, and the table's lamp above. Anything brighter
    // washes the colour out.
    constexpr uint32_t kSize = 128;
    const float light = variant == 0 ? 1.0f : 0.6f;
    RgbaImage image(kSize, kSize, 0xFF000000);
    for (uint32_t y = 0; y < kSize; ++y) {
        for (uint32_t x = 0; x < kSize; ++x) {
            const float dx = (x + 0.5f) / kSize * 2.0f - 1.0f, dy = (y + 0.5f) / kSize * 2.0f - 1.0f;
            if (dx * dx + dy * dy > 1.0f) {
                continue;
            }
            const float up = -dy;
            // The walls brightest at the horizon, the ceiling and the floor dark.
            const float room = up > 0.0f ? 0.12f * (1.0f - up) + 0.03f : 0.05f * (1.0f + up);
            // The lamp: a long glowing panel straight above, soft at its edges.
            const float along = std::max(0.0f, std::abs(dx) - 0.35f), below = std::max(0.0f, 0.85f - up);
            const float lamp = std::exp(-along * along * 40.0f - below * below * 120.0f);
            const float level = std::clamp(room + lamp * 0.85f, 0.0f, 1.0f) * light;
            const auto channel = static_cast<uint8_t>(level * 255.0f);
            image.Set(x, y, MakeArgb(0xFF, channel, channel, static_cast<uint8_t>(std::min(255.0f, level * 262.0f))));
        }
    }
    return image;
}

RgbaImage EffectPainter::TurnBanners() {
    constexpr std::array<Argb, 6> kRibbons{0xFFE0A020, 0xFF2E8BD0, 0xFFD03A2E, 0xFF30A060, 0xFF8E44C0, 0xFFD06A20};
    RgbaImage image(256, 1024, 0);
    for (int32_t banner = 0; banner < 6; ++banner) {
        const int32_t top = banner * kBannerHeight;
        const Argb ribbon = kRibbons[banner];
        image.VerticalGradient(0, top + 25, kBannerWidth, 50, Shade(ribbon, 1.25f), Shade(ribbon, 0.75f));
        image.FrameRect(0, top + 25, kBannerWidth, 50, 2, 0xFFFFFFFF);
        const float cx = kBannerWidth / 2.0f, cy = static_cast<float>(top) + 50.0f;
        switch (banner) {
            case 0:  // a star burst
                for (int ray = 0; ray < 8; ++ray) {
                    const float angle = ray * 0.785398f;
                    image.Line(cx, cy, cx + std::cos(angle) * 20.0f, cy + std::sin(angle) * 20.0f, 3.0f, 0xFFFFFFFF);
                }
                break;
            case 1:  // an arrow
                image.Line(cx - 20.0f, cy, cx + 18.0f, cy, 5.0f, 0xFFFFFFFF);
                image.Line(cx + 18.0f, cy, cx + 6.0f, cy - 12.0f, 5.0f, 0xFFFFFFFF);
                image.Line(cx + 18.0f, cy, cx + 6.0f, cy + 12.0f, 5.0f, 0xFFFFFFFF);
                break;
            case 2:  // a cross
                image.Line(cx - 15.0f, cy - 15.0f, cx + 15.0f, cy + 15.0f, 5.0f, 0xFFFFFFFF);
                image.Line(cx - 15.0f, cy + 15.0f, cx + 15.0f, cy - 15.0f, 5.0f, 0xFFFFFFFF);
                break;
            case 3:  // a ball held in an open circle
                image.FillRing(cx, cy, 15.0f, 19.0f, 0xFFFFFFFF);
                image.FillCircle(cx, cy, 9.0f, 0xFFFFFFFF);
                break;
            case 4:  // three bars: three cushions
                for (int bar = -1; bar <= 1; ++bar) {
                    image.FillRect(static_cast<int32_t>(cx) + bar * 14 - 4, static_cast<int32_t>(cy) - 16, 8, 32,
                                   0xFFFFFFFF);
                }
                break;
            default:  // a path off a cushion
                image.Line(cx - 22.0f, cy + 14.0f, cx, cy - 14.0f, 4.0f, 0xFFFFFFFF);
                image.Line(cx, cy - 14.0f, cx + 22.0f, cy + 14.0f, 4.0f, 0xFFFFFFFF);
                image.FillRect(static_cast<int32_t>(cx) - 26, static_cast<int32_t>(cy) - 20, 52, 4, 0xFFFFFFFF);
                break;
        }
    }
    return image;
}

}  // namespace mkdata
