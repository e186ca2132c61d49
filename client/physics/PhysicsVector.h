#pragma once
// Value-returning forms of the engine's vector operations, so that the physics formulas read as written.
// They only wrap quill::Vec3 and quill::Quaternion; the rounding rules (reciprocal in Normalize, exact zero tests) stay
// the engine's.
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"
#include "client/physics/PhysicsMath.h"

namespace kestrovan {

using quill::Vec3;

inline float Dot(const Vec3& a, const Vec3& b) {
    return Vec3::Dot(a, b);
}

inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    Vec3 out;
    return Vec3::Cross(out, a, b);
}

// Component-wise division (three divisions, not a reciprocal).
inline Vec3 Divided(const Vec3& v, float s) {
    return {v.x / s, v.y / s, v.z / s};
}

inline Vec3 Normalized(Vec3 v, float* length = nullptr) {
    return v.Normalize(length);
}

// The rotation by angle about axis as quill::Quaternion::FromAxisAngle builds it (the axis normalised, a zero axis
// turning nothing), with the physics' own sine and cosine.
inline quill::Quaternion RotationAbout(Vec3 axis, float angle) {
    axis.Normalize();
    float s = 0.0f;
    float c = 0.0f;
    physmath::SinCos(angle * 0.5f, &s, &c);
    return {axis.x * s, axis.y * s, axis.z * s, c};
}

inline bool IsZero(const Vec3& v) {
    return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f;
}

inline bool HasNaN(const Vec3& v) {
    return physmath::IsNaN(v.x) || physmath::IsNaN(v.y) || physmath::IsNaN(v.z);
}

}  // namespace kestrovan
