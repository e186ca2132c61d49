#pragma once
// The usable full-screen modes of the adapter, grouped by resolution, and the check of the mode the
// settings ask for. Main thread (the renderer start builds the list; the settings dialog reads it).
#include <cstdint>
#include <vector>

#include "client/app/Settings.h"
#include "client/render/DisplayMode.h"

namespace kestrovan {

struct DisplayModeGroup {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 32;
    std::vector<uint32_t> refreshRates;
};

// The process-wide list, ascending by width and then height.
std::vector<DisplayModeGroup>& DisplayModeList();

// Rebuilds the list from the adapter's modes (16-bit list first, then 32-bit): 32-bit modes of at least
// 1024 x 720, grouped by resolution, refresh rates in ascending order within a group.
void BuildDisplayModeList(Settings& settings, const std::vector<AdapterMode>& adapterModes);

// Corrects the requested mode in place against the list; true when the caller must apply and store it.
// A listed resolution whose refresh rate is not listed gets the group's first rate and answers false.
bool ValidateDisplayMode(Settings& settings, uint16_t& width, uint16_t& height, uint8_t& bitsPerPixel,
                         uint32_t& refreshRate, uint8_t& vsync);

}  // namespace kestrovan
