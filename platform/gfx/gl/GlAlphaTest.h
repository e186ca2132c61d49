#pragma once
// Whether a draw's alpha test can reject anything. The least alpha the texture stages can give a fragment
// follows from the least alpha of each stage's texture and of the lit diffuse colour (the material's, unless
// vertex colours stand in for it); held against the test's comparison and reference, it tells whether the
// test could ever fail. A draw whose test cannot fail draws the same pixels without it, and without it the
// rasteriser tests depth before it shades, so that what lies hidden behind nearer surfaces costs no texture
// reads.
//
// Threads: any (pure).
#include <cstdint>
#include <optional>
#include <span>

#include "platform/gfx/gl/GlDeviceState.h"

namespace platform::gfx {

// stageTextures: for each stage that runs (from the first), the least alpha of its texture, or none for a
// stage without one, which OpenGL passes through.
bool AlphaTestCanReject(const GlDeviceState& state, std::span<const std::optional<uint8_t>> stageTextures);

}  // namespace platform::gfx
