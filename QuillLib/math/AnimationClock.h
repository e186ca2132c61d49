#pragma once
// The clock of one playing clip: turns frame time into clip time. The clip's length is given at each step,
// so that the clock knows nothing of the clip's kind.
#include <cstdint>

namespace quill {

struct AnimationClock {
    static constexpr int kPlaying = 0;
    static constexpr int kNotStarted = 1;
    static constexpr int kEnded = 2;

    float startTime = 0.0f;
    uint8_t looping = 0;
    float time = 0.0f;

    // time += elapsed. kNotStarted before the start, kPlaying up to and at the clip's end (a looping clip
    // wraps past it, a clip of nearly no length back to 0), kEnded past the end of a clip that does not
    // loop (the time stays where it got).
    int Advance(float elapsed, float clipLength);
    // Back to the start for a new play.
    void Reset() { time = 0.0f; }
};

}  // namespace quill
