#include "client/render/GammaRampBuilder.h"

namespace kestrovan {

uint16_t GammaEntry(float brightness, uint32_t level) {
    float value = (brightness - 1.0f) * 255.0f + static_cast<float>(level);
    if (!(value > 0.0f)) value = 0.0f;
    if (value > 255.0f) value = 255.0f;
    return static_cast<uint16_t>(static_cast<uint32_t>(value) << 8);
}

void BuildGammaRamp(float brightness, platform::gfx::GammaRamp& out) {
    for (uint32_t level = 0; level < 256; ++level) {
        out.red[level] = out.green[level] = out.blue[level] = GammaEntry(brightness, level);
    }
}

}  // namespace kestrovan
