#pragma once
// The version this client reports: in its login request to the game server, and in every shot record it
// writes. Constants: any thread.
#include <cstdint>

namespace quill {

inline constexpr uint32_t kClientVersion = 2966;

}  // namespace quill
