#pragma once
// The engine's scalar constants and the tests that every near-zero and nearly-equal decision goes through.
// Physics results are compared between clients bit for bit, so these thresholds are part of the numerics.
#include <cfloat>
#include <cmath>

namespace quill {

inline constexpr float kFloatEpsilon = FLT_EPSILON;  // 2^-23
inline constexpr float kFloatMax = FLT_MAX;
inline constexpr float kPi = 3.1415927f;
inline constexpr float kHalfPi = 1.5707964f;
// One degree in radians, for angles scaled before they are turned (x * kRadiansPerDegree rounds once, unlike
// DegreesToRadians).
inline constexpr float kRadiansPerDegree = kPi / 180.0f;
inline constexpr float kMaxFieldOfView = 2.8274333f;  // 0.9 pi

// Near zero means strictly below FLT_EPSILON in magnitude; a NaN is never near zero.
inline bool IsNearZero(float v) {
    return std::fabs(v) < kFloatEpsilon;
}

inline bool FloatNearlyEqual(float a, float b) {
    return std::fabs(a - b) < kFloatEpsilon;
}

// Degrees to radians as angle * pi / 180, multiplied first: the one rounding every client uses.
inline float DegreesToRadians(float degrees) {
    return degrees * kPi / 180.0f;
}

// a + (b - a) * t: the blend of every interpolation in the engine (poses, transforms, vertices).
inline float Lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

// Single-precision forms of the runtime's functions, so that callers never widen by accident.
inline float CosF(float x) {
    return std::cos(x);
}
inline float SqrtF(float x) {
    return std::sqrt(x);
}
inline float PowF(float x, float y) {
    return std::pow(x, y);
}

}  // namespace quill
