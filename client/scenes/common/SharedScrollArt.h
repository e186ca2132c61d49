#pragma once
// The scroll parts the vertical lists of the common texture share: the track (from (475, 370), at most 150
// high), the step buttons (from (609, 0) and (623, 0), 17 high) and the thumb (from (637, 0), 28 high), all as
// wide as the bar.
#include <cstdint>

#include "client/ui/ScrollBar.h"

namespace kestrovan {

ScrollBarArt SharedScrollArt(int32_t width, int32_t trackHeight);

}  // namespace kestrovan
