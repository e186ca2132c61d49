#include "QuillLib/math/AnimationClock.h"

#include <cmath>

#include "QuillLib/math/MathConstants.h"

namespace quill {

int AnimationClock::Advance(float elapsed, float clipLength) {
    time += elapsed;
    if (time < startTime) {
        return kNotStarted;
    }
    if (time <= clipLength) {
        return kPlaying;
    }
    if (!looping) {
        return kEnded;
    }
    if (IsNearZero(clipLength)) {
        time = 0.0f;
        return kPlaying;
    }
    time -= std::trunc(time / clipLength) * clipLength;
    return kPlaying;
}

}  // namespace quill
