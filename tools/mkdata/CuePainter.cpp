#include "tools/mkdata/CuePainter.h"

#include <array>
#include <cmath>

#include "tools/mkdata/CueProfile.h"

namespace mkdata {
namespace {

constexpr uint32_t kLength = 512;
constexpr uint32_t kAround = 32;

int32_t Column(float along) {
    return static_cast<int32_t>(along / CueProfile::kLength * kLength);
}

void Section(RgbaImage& image, float from, float to, Argb colour) {
    image.FillRect(Column(from), 0, Column(to) - Column(from) + 1, kAround, colour);
}

}  // namespace

RgbaImage CuePainter::Paint(const CueColours& colours, uint32_t seed) {
    RgbaImage image(kLength, kAround, colours.shaft);
    Section(image, 0.0f, CueProfile::kTipEnd, colours.tip);
    Section(image, CueProfile::kTipEnd, CueProfile::kFerruleEnd, 0xFFF2EFE4);
    Section(image, CueProfile::kJointStart, CueProfile::kJointEnd, colours.joint);
    Section(image, CueProfile::kJointEnd, CueProfile::kWrapStart, colours.forearm);
    // Four inlaid points reaching from the wrap towards the joint.
    const int32_t base = Column(CueProfile::kWrapStart), point = Column(CueProfile::kJointEnd + 6.0f);
    for (int i = 0; i < 4; ++i) {
        const float centre = (static_cast<float>(i) + 0.5f) * kAround / 4.0f;
        for (int32_t x = point; x < base; ++x) {
            const float half = 3.5f * static_cast<float>(x - point) / static_cast<float>(base - point);
            for (int32_t y = static_cast<int32_t>(centre - half); y <= static_cast<int32_t>(centre + half); ++y) {
                image.Blend(x, y, colours.inlay);
            }
        }
    }
    Section(image, CueProfile::kWrapStart, CueProfile::kWrapEnd, colours.wrap);
    for (int32_t x = Column(CueProfile::kWrapStart); x < Column(CueProfile::kWrapEnd); x += 3) {
        image.FillRect(x, 0, 1, kAround, Shade(colours.wrap, 0.6f));
    }
    Section(image, CueProfile::kWrapEnd, CueProfile::kBumperStart, colours.sleeve);
    Section(image, CueProfile::kBumperStart, CueProfile::kLength, 0xFF101010);
    image.AddNoise(0.04f, seed);
    return image;
}

RgbaImage CuePainter::PaintPart(uint32_t slot, uint32_t seed) {
    const CueColours colours = Variant(seed);
    constexpr std::array<Argb, 5> kBase{0xFFE8D5A8, 0xFF4A2A16, 0xFFC8C8CC, 0xFF101010, 0xFF3466A8};
    const Argb base = slot == 1 ? colours.forearm : Mix(kBase[slot % 5], colours.inlay, 0.15f * (seed % 4));
    RgbaImage image(128, 32, base);
    if (slot == 1) {
        // Butts carry a ring pattern that differs from part to part.
        for (int32_t x = 8; x < 128; x += 16 + static_cast<int32_t>(seed % 5) * 4) {
            image.FillRect(x, 0, 4, 32, colours.inlay);
        }
    }
    image.AddNoise(0.05f, seed + slot * 101);
    return image;
}

CueColours CuePainter::Variant(uint32_t index) {
    constexpr std::array<Argb, 8> kForearms{0xFF4A2A16, 0xFF1C1C1C, 0xFF6B3A1E, 0xFF2E3B55,
                                            0xFF5A1E1E, 0xFF3C4A2A, 0xFF7A5A30, 0xFF402050};
    constexpr std::array<Argb, 6> kWraps{0xFF202020, 0xFF6A1A1A, 0xFF1A2A5A, 0xFF3A3A3A, 0xFF2A4A2A, 0xFF6A5020};
    CueColours colours;
    colours.forearm = kForearms[index % kForearms.size()];
    colours.sleeve = Shade(colours.forearm, 0.8f);
    colours.wrap = kWraps[(index / 2) % kWraps.size()];
    colours.inlay = (index % 3 == 0) ? 0xFFE9E2CF : (index % 3 == 1 ? 0xFFD8B040 : 0xFFB8C8D8);
    return colours;
}

}  // namespace mkdata
