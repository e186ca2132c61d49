#pragma once
// The user's control and camera settings as a table takes them (GameTable::ApplyAppOptions): the three
// mouse sensitivities in percent, the two inversions, the camera mode and the shot and turn zooms.
#include "client/app/Settings.h"
#include "client/table/TableOptions.h"

namespace kestrovan {

TableOptions TableOptionsFromSettings(const Settings& settings);

}  // namespace kestrovan
