#pragma once
// One keyframe of a sprite animation: it waits delay seconds, then moves the sprite for duration seconds
// with constant acceleration from its start state, and sets the sprite's pivot and source rectangle.
#include <array>
#include <cstdint>

#include "QuillLib/math/Vec3.h"
#include "QuillLib/resource/SpriteState.h"

namespace quill {

struct SpriteKeyframe {
    // The seconds the keyframe lasts.
    float Span() const { return delay + duration; }
    // The state t seconds after the keyframe began: the start state until the delay has passed, then
    // start + velocity u + acceleration u^2 / 2 with u the time moved (at most the duration).
    SpriteState Evaluate(float t) const;

    float delay = 0.0f;
    float duration = 0.0f;
    Vec3 pivot;
    std::array<int32_t, 4> sourceRect{-1, -1, -1, -1};
    SpriteState start;
    SpriteState velocity;
    SpriteState acceleration;
};

}  // namespace quill
