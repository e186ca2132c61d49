#include "QuillLib/math/Vector2D.h"

#include <cmath>

namespace quill {

float Length2D(float x, float y) {
    const float sum = x * x + y * y;
    if (!(sum > 0.0f)) {
        return 0.0f;
    }
    return std::sqrt(sum);
}

void Normalize2D(float* x, float* y, float* outLength) {
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

void DivideOrZero2(float d, float* x, float* y) {
    if (d > 0.0f) {
        *x = *x / d;
        *y = *y / d;
    } else {
        *x = 0.0f;
        *y = 0.0f;
    }
}

}  // namespace quill
