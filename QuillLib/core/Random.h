#pragma once
// The engine's pseudo-random generator: a linear congruential generator whose sequence is the same on every
// machine for the same seed. Rack placement and the game room's choices depend on the exact sequence.
#include <cstdint>

namespace quill {

class Random {
public:
    // Seeded with one value of the runtime's rand.
    Random();

    // Restarts the sequence; the draw count is kept.
    void Seed(uint32_t value);
    // state = state * 1103515245 + 12345 (mod 2^32); returns all 32 bits of the new state.
    uint32_t Next();

    uint32_t SeedValue() const { return seed_; }
    uint32_t DrawCount() const { return draws_; }

private:
    uint32_t seed_;
    uint32_t state_;
    uint32_t draws_ = 0;
};

}  // namespace quill
