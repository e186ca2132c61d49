#include "client/scenes/common/TableOptionsFromSettings.h"

namespace kestrovan {

TableOptions TableOptionsFromSettings(const Settings& settings) {
    TableOptions options;
    options.strokeScalePercent = static_cast<int32_t>(settings.shotSensitivity);
    options.verticalOrbitPercent = static_cast<int32_t>(settings.verticalSensitivity);
    options.horizontalOrbitPercent = static_cast<int32_t>(settings.horizontalSensitivity);
    options.invertVertical = settings.verticalInverse;
    options.invertHorizontal = settings.horizontalInverse;
    options.cameraOption = static_cast<int32_t>(settings.cameraMode);
    options.cameraFlagC = settings.shotZoom;
    options.useCallerDistance = settings.turnZoom;
    return options;
}

}  // namespace kestrovan
