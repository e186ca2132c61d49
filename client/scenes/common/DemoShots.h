#pragma once
// The shots the login screen's demo table plays: shot records made with the table's recorder, as
// hexadecimal text, each with the length of its cycle, the camera's orbit rate and its player's name. The
// table ends with a slot whose text is too short to be a shot.
#include <span>

#include "client/scenes/common/DemoShotCycle.h"

namespace kestrovan {

std::span<const DemoShotSlot> DemoShots();

}  // namespace kestrovan
