#pragma once
// The gamma ramp of a brightness setting: level i of every channel moves by (brightness - 1) x 255, clamped
// to the byte range, as the high byte of the entry. Brightness 1.0 is the identity.
#include <cstdint>

#include "platform/gfx/GfxStructs.h"

namespace kestrovan {

uint16_t GammaEntry(float brightness, uint32_t level);
void BuildGammaRamp(float brightness, platform::gfx::GammaRamp& out);

}  // namespace kestrovan
