#pragma once
// How many frames per second the main loop draws: as many as the display shows. That is the full-screen
// mode's refresh rate, else the desktop's; a display that reports none (a virtual one) gets the rate the
// settings ask for, and 60 when they ask for none. Never more than the update rate of 200 per second.
#include <cstdint>

namespace kestrovan {

inline constexpr int32_t kDefaultDrawingRate = 60;
inline constexpr int32_t kMaxDrawingRate = 200;

int32_t ChooseDrawingRate(bool fullScreen, uint32_t settingsRefreshRate, uint32_t desktopRefreshRate);

}  // namespace kestrovan
