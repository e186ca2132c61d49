#pragma once
// The table's frame clock counts in 0.1 ms units and wraps.
#include <cstdint>

namespace kestrovan {

// Seconds between two times of the table's clock.
inline float SecondsBetween(uint32_t earlier, uint32_t later) {
    return static_cast<float>(static_cast<double>(later - earlier) * 0.0001);
}

}  // namespace kestrovan
