#include "client/render/ColorPacking.h"

#include <cstdint>

namespace kestrovan {
namespace {

uint32_t Channel(float value) {
    const float scaled = value * 255.0f;
    // Through a wide integer, so out-of-range values wrap to their low byte instead of being undefined.
    if (!(scaled > -9.0e18f && scaled < 9.0e18f)) {
        return 0;
    }
    return static_cast<uint32_t>(static_cast<int64_t>(scaled) & 0xFF);
}

}  // namespace

uint32_t PackColor(float r, float g, float b, float a) {
    return (Channel(a) << 24) | (Channel(r) << 16) | (Channel(g) << 8) | Channel(b);
}

uint32_t PackOpaqueColor(float r, float g, float b) {
    return 0xFF000000u | (Channel(r) << 16) | (Channel(g) << 8) | Channel(b);
}

}  // namespace kestrovan
