#pragma once
// Choosing balls by their screen circles: the draw order by depth and the ball under the cursor. Pure: the table
// fills the records from the current camera first.
#include <cstdint>
#include <span>

#include "client/table/BallScreenInfo.h"

namespace kestrovan {

struct PickedBall {
    int32_t index = -1;  // -1: none
    int32_t grabOffsetX = 0;
    int32_t grabOffsetY = 0;
};

// Farthest first. Balls of equal depth keep their order, and a depth that is not a number sorts last, so the
// order is a strict one whatever the depths.
void SortBallScreenInfo(std::span<BallScreenInfo> records);

// The first ball, in record order, whose circle strictly contains (x, y) and that may be taken: with placement
// area 1 or 2 only ball 0 may, unless the table state is 5. The grab offset is the cursor's distance from the
// ball's centre, truncated.
PickedBall PickBallAt(std::span<const BallScreenInfo> records, int32_t x, int32_t y, int32_t placementArea,
                      int32_t tableState);

// Whether (x, y) lies strictly inside the circle of radius r around (cx, cy).
bool IsInsideCircle(float cx, float cy, float r, int32_t x, int32_t y);

}  // namespace kestrovan
