#pragma once
// The colours of the room's chat lines by kind, shared by the screen and its parts. Constants: any thread.
#include <cstdint>

namespace kestrovan::room_colour {

inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kYellow = 0xFFFFFF00;
inline constexpr uint32_t kGreen = 0xFF00FF00;
inline constexpr uint32_t kLightBlue = 0xFFB0B0FF;
inline constexpr uint32_t kMagenta = 0xFFFF00FF;
inline constexpr uint32_t kWhite = 0xFFFFFFFF;
inline constexpr uint32_t kConsumedColour = 0xFFFF8080;

}  // namespace kestrovan::room_colour
