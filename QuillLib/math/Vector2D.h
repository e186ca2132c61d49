#pragma once
// Directions and speeds on the table plane, handled as two separate floats. Unlike Vec3::Normalize these divide
// (no reciprocal) and treat a sum of squares that is not above 0 as zero: the ball physics relies on both. Inline,
// because the physics calls them in every sub-step.
#include <cmath>

namespace quill {

// sqrt(x*x + y*y); 0 when the sum of squares is not greater than 0 (no square root is taken then).
inline float Length2D(float x, float y) {
    const float sum = x * x + y * y;
    if (!(sum > 0.0f)) {
        return 0.0f;
    }
    return std::sqrt(sum);
}

// Divides x and y by their length; both become 0 when the length is not greater than 0. outLength (when given)
// receives the length.
inline void Normalize2D(float* x, float* y, float* outLength = nullptr) {
    const float sum = *x * *x + *y * *y;
    float length = 0.0f;
    if (sum > 0.0f) {
        length = std::sqrt(sum);
    }
    if (length > 0.0f) {
        *x = *x / length;
        *y = *y / length;
    } else {
        *x = 0.0f;
        *y = 0.0f;
    }
    if (outLength != nullptr) {
        *outLength = length;
    }
}

// x /= d and y /= d when d > 0; otherwise both become 0.
inline void DivideOrZero2(float d, float* x, float* y) {
    if (d > 0.0f) {
        *x = *x / d;
        *y = *y / d;
    } else {
        *x = 0.0f;
        *y = 0.0f;
    }
}

}  // namespace quill
