#pragma once
// The C runtime's rand and srand as the program knows them: 15-bit results (0 to 32767) from a linear
// congruential generator, the same sequence for the same seed. The state is process-wide; the first
// sequence without SRand is that of seed 1.
#include <cstdint>

namespace platform {

constexpr int kRandMax = 32767;

int Rand();
void SRand(uint32_t seed);

}  // namespace platform
