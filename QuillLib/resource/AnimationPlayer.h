#pragma once
// A playing animation: its clock (start time, loop flag, current time), the keyframe hint the last sample
// left and the animation it plays.
#include <cstdint>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/AnimationClock.h"

namespace quill {

template <typename A>
struct AnimationPlayer {
    // AnimationClock's results: kPlaying, kNotStarted, kEnded.
    int Advance(float elapsed) { return clock.Advance(elapsed, animation ? animation->length : 0.0f); }
    void Reset() {
        clock.Reset();
        hint = 0;
    }
    // The clip time of a sample: the time since the start.
    float ClipTime() const { return clock.time - clock.startTime; }

    AnimationClock clock;
    uint32_t hint = 0;
    SharedPtr<A> animation;
};

}  // namespace quill
