#pragma once
// The application's control and camera options as the table copies them (GameTable::ApplyAppOptions). The
// application fills it from its settings once the window layer is wired.
#include <cstdint>

namespace kestrovan {

struct TableOptions {
    // Mouse scales in percent: the stroke, the vertical and the horizontal camera orbit.
    int32_t strokeScalePercent = 100;
    int32_t verticalOrbitPercent = 100;
    int32_t horizontalOrbitPercent = 100;
    uint8_t invertVertical = 0;
    uint8_t invertHorizontal = 0;
    // 0 to 3: 2 and 3 make the camera follow the cue ball.
    int32_t cameraOption = 0;
    uint8_t cameraFlagC = 0;
    uint8_t useCallerDistance = 0;
    // 1 shows the power as figures; anything else lets the gauge tremble.
    int32_t powerDisplayOption = 1;
};

}  // namespace kestrovan
