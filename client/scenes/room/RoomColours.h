#pragma once
// The colours of the room's chat lines by kind, shared by the screen and its parts. Constants: any thread.
#include <cstdint>

#include "client/ui/UiColours.h"

namespace kestrovan::room_colour {

inline constexpr uint32_t kLightBlue = 0xFFB0B0FF;
inline constexpr uint32_t kMagenta = 0xFFFF00FF;
inline constexpr uint32_t kConsumedColour = 0xFFFF8080;

}  // namespace kestrovan::room_colour
