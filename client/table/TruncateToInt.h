#pragma once
// Truncation of a float toward zero into an i32, as the table's pixel and gauge arithmetic does. Screen values
// come from camera matrices that can degenerate, so a value out of range saturates and NaN gives 0 instead of
// the undefined conversion.
#include <cmath>
#include <cstdint>

namespace kestrovan {

inline int32_t TruncateToInt32(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0f) {
        return INT32_MAX;
    }
    if (value <= -2147483648.0f) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

}  // namespace kestrovan
