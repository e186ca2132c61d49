#pragma once
// Three 32-bit floats x, y, z: positions, directions, spins. A plain value type shared by the physics, the
// camera, the scene objects and the renderer, so that every one of them computes the same bits.
#include "QuillLib/math/MathConstants.h"

namespace quill {

struct Matrix4;
struct Quaternion;

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    static Vec3& Add(Vec3& out, const Vec3& a, const Vec3& b);
    static Vec3& Sub(Vec3& out, const Vec3& a, const Vec3& b);
    static Vec3& Scaled(Vec3& out, const Vec3& v, float s);
    static Vec3& Cross(Vec3& out, const Vec3& a, const Vec3& b);
    static float Dot(const Vec3& a, const Vec3& b);

    void AddInPlace(const Vec3& b);
    void Subtract(const Vec3& b);
    void Scale(float s);
    void Negated(Vec3& out) const;

    // Exact comparison of all three components, no tolerance (+0 equals -0, NaN equals nothing).
    bool Equals(const Vec3& b) const;

    // The sum of squares in double precision: the one length that is not reduced to 32 bits.
    double LengthSquared() const;
    // sqrt of the sum of squares, the sum first reduced to a 32-bit float.
    float Length() const;
    // Scales to unit length by one reciprocal; a length below FLT_EPSILON gives exactly (0, 0, 0).
    // outLength (when given) receives the length in both cases.
    Vec3& Normalize(float* outLength = nullptr);

    // v = q v q* for a unit quaternion q.
    void Rotate(const Quaternion& q);
    // this = (x, y, z, 1) * m, keeping x, y, z; no division by w.
    void TransformInPlace(const Matrix4& m);
};

inline constexpr Vec3 kZeroVector{0.0f, 0.0f, 0.0f};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3& v) {
    return {-v.x, -v.y, -v.z};
}
inline Vec3 operator*(const Vec3& v, float s) {
    return {v.x * s, v.y * s, v.z * s};
}

// a + (b - a) * t per component.
inline Vec3 Lerp(const Vec3& a, const Vec3& b, float t) {
    return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t), Lerp(a.z, b.z, t)};
}

inline Vec3& Vec3::Add(Vec3& out, const Vec3& a, const Vec3& b) {
    return out = a + b;
}
inline Vec3& Vec3::Sub(Vec3& out, const Vec3& a, const Vec3& b) {
    return out = a - b;
}
inline Vec3& Vec3::Scaled(Vec3& out, const Vec3& v, float s) {
    return out = v * s;
}

inline Vec3& Vec3::Cross(Vec3& out, const Vec3& a, const Vec3& b) {
    // Computed into a temporary so that out may be a or b.
    const Vec3 c{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    return out = c;
}

inline float Vec3::Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline void Vec3::AddInPlace(const Vec3& b) {
    *this = *this + b;
}
inline void Vec3::Subtract(const Vec3& b) {
    *this = *this - b;
}
inline void Vec3::Scale(float s) {
    *this = *this * s;
}
inline void Vec3::Negated(Vec3& out) const {
    out = -*this;
}

inline bool Vec3::Equals(const Vec3& b) const {
    return x == b.x && y == b.y && z == b.z;
}

inline double Vec3::LengthSquared() const {
    const double dx = x;
    const double dy = y;
    const double dz = z;
    return dx * dx + dy * dy + dz * dz;
}

inline float Vec3::Length() const {
    return std::sqrt(static_cast<float>(LengthSquared()));
}

inline Vec3& Vec3::Normalize(float* outLength) {
    const float length = Length();
    if (std::fabs(length) < kFloatEpsilon) {
        *this = kZeroVector;
    } else {
        // One division and three multiplications: the physics' spin axes depend on exactly this rounding.
        Scale(1.0f / length);
    }
    if (outLength != nullptr) {
        *outLength = length;
    }
    return *this;
}

}  // namespace quill
