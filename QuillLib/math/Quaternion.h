#pragma once
// Rotations as four floats stored (x, y, z, w), vector part first. Products are Hamilton products: rotating by b
// and then by a is a * b. Nothing renormalises automatically; a degenerate normalisation yields zero, never the
// identity, because callers test for that zero.
#include "QuillLib/math/Vec3.h"

namespace quill {

struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    static Quaternion& Multiply(Quaternion& out, const Quaternion& a, const Quaternion& b);
    // Spherical interpolation along the shorter arc; out may be a or b.
    static Quaternion& Slerp(Quaternion& out, const Quaternion& a, const Quaternion& b, float t);
    // Component-wise blend, then normalised; no sign correction, so q and -q at 0.5 give (0, 0, 0, 0).
    static Quaternion& Nlerp(Quaternion& out, const Quaternion& a, const Quaternion& b, float t);

    void MultiplyInPlace(const Quaternion& r);
    bool IsIdentity() const;
    float Length() const;
    // Conjugate divided by the length (not its square): the inverse of a unit quaternion; (0, 0, 0, 0) when
    // the length is below FLT_EPSILON.
    void Inverse(Quaternion& out) const;
    // (0, 0, 0, -1): the same rotation as the identity, but not IsIdentity.
    void SetNegativeW();

    // xyz = normalised axis * sin(angle / 2), w = cos(angle / 2); a zero axis gives (0, 0, 0, cos(angle / 2)).
    void FromAxisAngle(float angle, const Vec3& axis);
    // The rotation taking the unit vector from onto the unit vector to. Opposite vectors give
    // (0, 0, 0, cos(pi / 2)), a quaternion that leaves every vector in place.
    void SetRotationArc(const Vec3& from, const Vec3& to);
    // The 3 x 3 block of Matrix4::FromQuaternion, row-major.
    void ToMatrix3(float out[9]) const;
};

inline constexpr Quaternion kIdentityQuaternion{0.0f, 0.0f, 0.0f, 1.0f};

// Scales to unit length by dividing by the length; a length below FLT_EPSILON gives (0, 0, 0, 0).
inline Quaternion& QuaternionNormalize(Quaternion& q, float* outLength = nullptr);

inline Quaternion& Quaternion::Multiply(Quaternion& out, const Quaternion& a, const Quaternion& b) {
    // Computed into a temporary so that out may be a or b.
    const Quaternion p{a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z,
                       a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
    return out = p;
}

inline void Quaternion::MultiplyInPlace(const Quaternion& r) {
    Multiply(*this, *this, r);
}

inline bool Quaternion::IsIdentity() const {
    return x == 0.0f && y == 0.0f && z == 0.0f && w == 1.0f;
}

inline void Quaternion::SetNegativeW() {
    *this = Quaternion{0.0f, 0.0f, 0.0f, -1.0f};
}

inline float Quaternion::Length() const {
    return std::sqrt(x * x + y * y + z * z + w * w);
}

inline Quaternion& QuaternionNormalize(Quaternion& q, float* outLength) {
    const float length = q.Length();
    if (length < kFloatEpsilon) {
        q = Quaternion{0.0f, 0.0f, 0.0f, 0.0f};
    } else {
        q = Quaternion{q.x / length, q.y / length, q.z / length, q.w / length};
    }
    if (outLength != nullptr) {
        *outLength = length;
    }
    return q;
}

}  // namespace quill
