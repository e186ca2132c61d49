#pragma once
// Four float channels packed into a 32-bit colour the classic way: each channel times 255, truncated, its low
// byte kept (so 128.0 gives 0x80).
#include <cstdint>

namespace kestrovan {

uint32_t PackColor(float r, float g, float b, float a);
// As PackColor with alpha 255.
uint32_t PackOpaqueColor(float r, float g, float b);

}  // namespace kestrovan
