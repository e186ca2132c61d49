#pragma once
// The capabilities of the graphics device as the settings keep them: filled by the renderer start from the
// device, copied whole with the settings.
#include <array>
#include <cstdint>
#include <vector>

namespace kestrovan {

struct GraphicsCaps {
    uint32_t firstWord = 0;
    std::vector<uint16_t> multisampleLevels;  // the levels the device offers
    uint16_t reserved = 0;
    // [1] the largest texture size, [4] the largest anisotropy, [5] compared with 2 (texture stages).
    std::array<uint16_t, 6> limits{};
    // [0] and [1] both set: the table and water effects can be drawn; [2] and [3]: 32-bit colour modes.
    std::array<uint8_t, 5> flags{};

    uint16_t MaxTextureSize() const { return limits[1]; }
    uint16_t MaxAnisotropy() const { return limits[4]; }
    bool EffectsSupported() const { return flags[0] != 0 && flags[1] != 0; }
    bool FullColourSupported() const { return flags[2] != 0 && flags[3] != 0; }
    bool operator==(const GraphicsCaps&) const = default;
};

}  // namespace kestrovan
