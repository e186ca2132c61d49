#pragma once
// The radius and mass that a ball set gives every ball of a table. The holder sizes its balls with these after
// the model is created or the ball set changes; the probe and the benchmarks do the same.
#include <cstdint>

namespace kestrovan {

struct BallSetSize {
    float radiusCm = 0.0f;
    float mass = 0.0f;

    // Ball sets 0 to 6; any other index gives radius 0 and mass 0, which no shot can run with.
    static BallSetSize ForBallSet(uint32_t ballSet);
    bool IsValid() const { return radiusCm > 0.0f && mass > 0.0f; }
};

inline constexpr uint32_t kBallSetCount = 7;
inline constexpr uint32_t kDefaultBallSet = 3;

}  // namespace kestrovan
