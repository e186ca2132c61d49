#pragma once
// Where one ball appears in the window: its centre and radius in pixels and its depth in the view. The table
// keeps one per ball, rebuilt from the current camera, to pick balls with the mouse, to draw them farthest first
// and to place the HUD next to the cue ball.
#include <cstdint>

namespace kestrovan {

struct BallScreenInfo {
    int32_t index = 0;  // the ball's index in the ball set
    float depth = 0.0f;
    float screenX = 0.0f;
    float screenY = 0.0f;
    float screenRadius = 0.0f;
};

}  // namespace kestrovan
