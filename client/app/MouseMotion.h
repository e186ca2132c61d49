#pragma once
// The relative motion of the mouse in one game-thread tick: x, y and wheel. The game thread reads it from the
// mouse under the widget-tree lock and hands it by value to the screen's update.
#include <cstdint>

namespace kestrovan {

struct MouseMotion {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t wheel = 0;
};

}  // namespace kestrovan
