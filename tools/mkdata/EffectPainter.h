#pragma once
// The images of the table's helpers and effects: ball shadows, the aim target and cursor marks, the guide
// line, chalk dust, the reflection maps and the turn banners of the game screens.
#include <cstdint>

#include "tools/mkdata/RgbaImage.h"

namespace mkdata {

class EffectPainter {
public:
    // A soft round shadow: black, its alpha falling from the middle to the rim.
    static RgbaImage Shadow();
    // A ring with a cross in its middle, in the colour on transparent.
    static RgbaImage TargetRing(Argb colour);
    // A dashed line along u.
    static RgbaImage Guide(Argb colour);
    // A small soft dot for particles.
    static RgbaImage Particle(Argb colour);
    // A spherical reflection map, added to what it lies on: a dim room and the lamp above; variant 1 is
    // dimmer.
    static RgbaImage Reflection(uint32_t variant);
    // The six turn banners stacked in rows of 100 pixels, each a coloured ribbon with a sign of its own
    // (good shot, your turn, foul, ball in hand, three-cushion shot, bank shot); the words are drawn by
    // the screens with the device's fonts.
    static RgbaImage TurnBanners();
    // Banner n occupies the rows n * kBannerHeight onwards, kBannerWidth pixels wide.
    static constexpr int32_t kBannerHeight = 100;
    static constexpr int32_t kBannerWidth = 200;
};

}  // namespace mkdata
