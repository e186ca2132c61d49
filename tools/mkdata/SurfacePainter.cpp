#include "tools/mkdata/SurfacePainter.h"

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
    RgbaImage image(128, 128, colour);
    image.VerticalGradient(0, 0, 128, 128, Shade(colour, 1.05f), Shade(colour, 0.85f));
    image.AddNoise(0.03f, seed);
    return image;
}

}  // namespace mkdata
