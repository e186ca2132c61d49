#pragma once
// Placement flags of a line of text inside its rectangle; the numbers are those callers store.
#include <cstdint>

namespace platform::gfx::TextFormat {

inline constexpr uint32_t Left = 0x0;
inline constexpr uint32_t Center = 0x1;
inline constexpr uint32_t Right = 0x2;
inline constexpr uint32_t VCenter = 0x4;
inline constexpr uint32_t Bottom = 0x8;
inline constexpr uint32_t SingleLine = 0x20;
inline constexpr uint32_t NoClip = 0x100;
inline constexpr uint32_t NoPrefix = 0x800;

}  // namespace platform::gfx::TextFormat

#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

// Where a line of cx x cy pixels starts inside rect under the placement flags.
Point PlaceTextLine(const Rect& rect, int32_t cx, int32_t cy, uint32_t format);

}  // namespace platform::gfx
