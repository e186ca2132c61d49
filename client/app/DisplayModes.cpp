#include "client/app/DisplayModes.h"

#include <algorithm>
#include <tuple>

namespace kestrovan {

std::vector<DisplayModeGroup>& DisplayModeList() {
    static std::vector<DisplayModeGroup> list;
    return list;
}

void BuildDisplayModeList(Settings& settings, const std::vector<AdapterMode>& adapterModes) {
    std::vector<DisplayModeGroup>& list = DisplayModeList();
    list.clear();
    std::vector<AdapterMode> modes = adapterModes;
    // The refresh rate is the last key, so the rates of a group come out in ascending order.
    std::stable_sort(modes.begin(), modes.end(), [](const AdapterMode& a, const AdapterMode& b) {
        return std::tie(a.width, a.height, a.bitsPerPixel, a.refreshRate) <
               std::tie(b.width, b.height, b.bitsPerPixel, b.refreshRate);
    });
    for (const AdapterMode& mode : modes) {
        if (mode.width < 1024 || mode.height < 720 || mode.bitsPerPixel != 32) continue;
        if (!list.empty() && list.back().width == mode.width && list.back().height == mode.height) {
            list.back().refreshRates.push_back(mode.refreshRate);
        } else {
            list.push_back(DisplayModeGroup{mode.width, mode.height, 32, {mode.refreshRate}});
        }
    }
    settings.displayModesListed = 1;
}

bool ValidateDisplayMode(Settings& settings, uint16_t& width, uint16_t& height, uint8_t& bitsPerPixel,
                         uint32_t& refreshRate, uint8_t& vsync) {
    bool changed = false;
    if (bitsPerPixel == 24) {
        bitsPerPixel = 32;
        changed = true;
    }
    if (width == 1152 && height == 864) {
        width = 1024;
        height = 768;
        changed = true;
    }
    const bool fullColour = settings.caps.FullColourSupported();
    if (fullColour) {
        for (const DisplayModeGroup& group : DisplayModeList()) {
            if (group.width != width || group.height != height) continue;
            const auto& rates = group.refreshRates;
            if (std::find(rates.begin(), rates.end(), refreshRate) == rates.end() && !rates.empty()) {
                refreshRate = rates.front();
            }
            return changed;
        }
    }
    width = 1024;
    height = 768;
    bitsPerPixel = 32;
    refreshRate = 60;
    if (!fullColour) {
        bitsPerPixel = 16;
        vsync = 0;
    }
    settings.width = width;
    settings.height = height;
    settings.bitsPerPixel = bitsPerPixel;
    settings.refreshRate = refreshRate;
    settings.vsync = vsync;
    return true;
}

}  // namespace kestrovan
