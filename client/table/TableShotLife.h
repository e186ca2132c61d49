#pragma once
// The shot's life as the table's update keeps it: whether a shot runs or waits for the cue's swing to end, what
// the local shot costs, and the update's counters (the frame count, the phase that respots balls after a shot and
// the last frame time).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

namespace kestrovan {

struct TableShotLife {
    bool running = false;
    bool pending = false;
    int32_t cost = 0;
    uint32_t frameCounter = 0;
    bool postShotPhase = false;
    uint32_t lastUpdateTime = 0;
};

}  // namespace kestrovan
