#include "client/app/DrawingRate.h"

#include <algorithm>

namespace kestrovan {

int32_t ChooseDrawingRate(bool fullScreen, uint32_t settingsRefreshRate, uint32_t desktopRefreshRate) {
    // In full screen the display runs at the settings' rate (checked against the adapter's modes).
    uint32_t rate = fullScreen ? settingsRefreshRate : desktopRefreshRate;
    if (rate == 0) rate = settingsRefreshRate;
    if (rate == 0) rate = kDefaultDrawingRate;
    return static_cast<int32_t>(std::min<uint32_t>(rate, kMaxDrawingRate));
}

}  // namespace kestrovan
