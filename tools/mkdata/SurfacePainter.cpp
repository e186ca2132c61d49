#include "tools/mkdata/SurfacePainter.h"

#include <algorithm>
#include <cmath>

namespace mkdata {

RgbaImage SurfacePainter::Cloth(Argb colour, uint32_t seed) {
    RgbaImage image(128, 128, colour);
    image.AddNoise(0.06f, seed);
    return image;
}

RgbaImage SurfacePainter::Wood(Argb colour, uint32_t seed) {
    constexpr uint32_t kSize = 256;
    RgbaImage image(kSize, kSize, colour);
    for (uint32_t y = 0; y < kSize; ++y) {
        // Grain runs along x; the rings drift slowly across it and repeat with the tile.
        const float ring = std::sin((static_cast<float>(y) / kSize) * 6.2831853f * 6.0f +
                                    std::sin(static_cast<float>(seed % 7) + static_cast<float>(y) * 0.05f) * 1.5f);
        for (uint32_t x = 0; x < kSize; ++x) {
            const float wave = std::sin(static_cast<float>(x) / kSize * 6.2831853f * 2.0f + static_cast<float>(y) * 0.11f);
            const float factor = 0.86f + 0.12f * ring + 0.04f * wave;
            image.Set(x, y, Shade(colour, factor));
        }
    }
    image.AddNoise(0.05f, seed);
    return image;
}

RgbaImage SurfacePainter::Leather(Argb colour, uint32_t seed) {
    RgbaImage image(64, 64, colour);
    image.AddNoise(0.12f, seed);
    return image;
}

RgbaImage SurfacePainter::PocketLiner(Argb colour, uint32_t seed) {
    constexpr uint32_t kSize = 64;
    RgbaImage image(kSize, kSize, colour);
    for (uint32_t y = 0; y < kSize; ++y) {
        const float depth = static_cast<float>(y) / (kSize - 1);
        image.FillRect(0, static_cast<int32_t>(y), kSize, 1, Shade(colour, 1.35f - 1.2f * std::sqrt(depth)));
    }
    image.AddNoise(0.08f, seed);
    // The welt at the rim and its stitches.
    image.FillRect(0, 0, kSize, 3, Shade(colour, 1.6f));
    for (uint32_t x = 0; x < kSize; x += 4) {
        image.FillRect(static_cast<int32_t>(x), 5, 2, 1, Shade(colour, 2.2f));
    }
    return image;
}

RgbaImage SurfacePainter::Sight(Argb colour) {
    RgbaImage image(32, 32, Shade(colour, 0.6f));
    image.FillCircle(16.0f, 16.0f, 14.0f, colour);
    image.FillCircle(12.0f, 12.0f, 4.0f, Mix(colour, 0xFFFFFFFFu, 0.6f));
    return image;
}

RgbaImage SurfacePainter::Floor(Argb colour, uint32_t seed) {
    constexpr uint32_t kSize = 256;
    RgbaImage image(kSize, kSize, colour);
    // Boards 32 pixels wide with dark joints.
    for (uint32_t board = 0; board < kSize / 32; ++board) {
        const float tone = 0.9f + 0.1f * std::sin(static_cast<float>(board * 37 + seed));
        image.FillRect(static_cast<int32_t>(board * 32), 0, 32, kSize, Shade(colour, tone));
        image.FillRect(static_cast<int32_t>(board * 32), 0, 1, kSize, Shade(colour, 0.55f));
    }
    image.AddNoise(0.05f, seed);
    return image;
}

RgbaImage SurfacePainter::Wall(Argb colour, uint32_t seed) {
    // From the ceiling (row 0) to the floor (the last row) of a room 320 cm high: a light cornice, striped
    // paper, a dado rail at 95 cm and wooden wainscot panels below it down to a dark skirting board. Across,
    // 256 pixels span 300 cm: four panels.
    constexpr int32_t kWidth = 256, kHeight = 512;
    constexpr int32_t kCornice = 10, kDado = 360, kSkirting = 498, kPanel = 64;
    const Argb wood = 0xFF5A3A24;
    RgbaImage image(kWidth, kHeight, colour);
    for (int32_t x = 0; x < kWidth; x += 32) {
        image.FillRect(x, kCornice, 16, kDado - kCornice, Shade(colour, 0.93f));
    }
    image.VerticalGradient(0, 0, kWidth, kCornice, Shade(colour, 1.35f), Shade(colour, 1.15f));
    image.AddNoise(0.03f, seed);
    image.VerticalGradient(0, kDado, kWidth, kSkirting - kDado, Shade(wood, 1.05f), Shade(wood, 0.9f));
    for (int32_t x = 0; x < kWidth; x += kPanel) {
        // A raised panel: its frame lit from above, its field a little darker.
        image.FillRect(x + 8, kDado + 22, kPanel - 16, kSkirting - kDado - 40, Shade(wood, 0.85f));
        image.FillRect(x + 8, kDado + 22, kPanel - 16, 2, Shade(wood, 0.5f));
        image.FillRect(x + 8, kSkirting - 20, kPanel - 16, 2, Shade(wood, 1.5f));
        image.FillRect(x + 8, kDado + 22, 2, kSkirting - kDado - 40, Shade(wood, 0.55f));
        image.FillRect(x + kPanel - 10, kDado + 22, 2, kSkirting - kDado - 40, Shade(wood, 1.4f));
        image.FillRect(x, kDado, 2, kSkirting - kDado, Shade(wood, 0.5f));
    }
    image.FillRect(0, kDado - 6, kWidth, 8, Shade(wood, 0.8f));
    image.FillRect(0, kDado - 6, kWidth, 2, Shade(wood, 1.4f));
    image.FillRect(0, kSkirting, kWidth, kHeight - kSkirting, Shade(wood, 0.45f));
    image.AddNoise(0.02f, seed + 1);
    return image;
}

RgbaImage SurfacePainter::LampLight() {
    constexpr uint32_t kWidth = 128, kHeight = 64;
    RgbaImage image(kWidth, kHeight, 0xFF808080);
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            // From -1 to 1 across the table's outer edge: the lamp's long panel hangs over the middle, its
            // light a little wider along the table than across it.
            const float nx = (x + 0.5f) / kWidth * 2.0f - 1.0f, ny = (y + 0.5f) / kHeight * 2.0f - 1.0f;
            const float light = 0.66f + 0.52f * std::exp(-(nx * nx / 0.55f + ny * ny / 0.75f));
            const auto level = static_cast<uint8_t>(std::min(255.0f, light * 128.0f));
            image.Set(x, y, MakeArgb(0xFF, level, level, level));
        }
    }
    return image;
}

}  // namespace mkdata
