#pragma once
// How a sample between two keyframes is taken: the value of one of them when the fraction is within
// FLT_EPSILON of 0 or 1, a blend otherwise.
#include <cmath>

#include "QuillLib/math/MathConstants.h"

namespace quill {

enum class BlendChoice { Previous, Next, Blend };

inline BlendChoice ChooseBlend(float fraction) {
    if (std::fabs(fraction) < kFloatEpsilon) {
        return BlendChoice::Previous;
    }
    if (std::fabs(fraction - 1.0f) < kFloatEpsilon) {
        return BlendChoice::Next;
    }
    return BlendChoice::Blend;
}

}  // namespace quill
