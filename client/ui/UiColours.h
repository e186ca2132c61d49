#pragma once
// The named colours of the interface's texts and captions (A8R8G8B8, opaque), which every screen and window
// colours its labels from. Constants: any thread.
#include <cstdint>

namespace kestrovan {

inline constexpr uint32_t kWhite = 0xFFFFFFFF;
inline constexpr uint32_t kBlack = 0xFF000000;
inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kGreen = 0xFF00FF00;
inline constexpr uint32_t kYellow = 0xFFFFFF00;
inline constexpr uint32_t kCyan = 0xFF00FFFF;

}  // namespace kestrovan
