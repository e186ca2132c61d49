#pragma once
// The codes that select a ball-physics class. Shot records carry them, so the values are fixed.
#include <cstdint>

namespace kestrovan {

using PhysicsModelCode = uint32_t;

inline constexpr PhysicsModelCode kPhysicsModelBase = 0x10000;
inline constexpr PhysicsModelCode kPhysicsModel10001 = 0x10001;
inline constexpr PhysicsModelCode kPhysicsModel1000F = 0x1000F;
inline constexpr PhysicsModelCode kPhysicsModel10010 = 0x10010;
inline constexpr PhysicsModelCode kPhysicsModel10012 = 0x10012;
inline constexpr PhysicsModelCode kPhysicsModel10014 = 0x10014;
// The screens' code and the holder's fallback when a code is not one of the 21.
inline constexpr PhysicsModelCode kDefaultPhysicsModelCode = kPhysicsModel10014;

inline bool IsPhysicsModelCode(uint32_t code) {
    return code >= kPhysicsModelBase && code <= kPhysicsModel10014;
}

}  // namespace kestrovan
