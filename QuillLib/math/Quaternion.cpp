#include "QuillLib/math/Quaternion.h"

#include <cmath>

#include "QuillLib/math/MathConstants.h"

namespace quill {

namespace {

float Dot4(const Quaternion& a, const Quaternion& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

Quaternion Negated(const Quaternion& q) {
    return {-q.x, -q.y, -q.z, -q.w};
}

}  // namespace

void Quaternion::Inverse(Quaternion& out) const {
    const float length = Length();
    if (std::fabs(length) >= kFloatEpsilon) {
        out = Quaternion{-x / length, -y / length, -z / length, w / length};
    } else {
        out = Quaternion{kZeroVector.x, kZeroVector.y, kZeroVector.z, 0.0f};
    }
}

void Quaternion::FromAxisAngle(float angle, const Vec3& axis) {
    Vec3 unit = axis;
    unit.Normalize();
    const float half = angle * 0.5f;
    const float s = std::sin(half);
    *this = Quaternion{unit.x * s, unit.y * s, unit.z * s, std::cos(half)};
}

void Quaternion::SetRotationArc(const Vec3& from, const Vec3& to) {
    Vec3 axis;
    Vec3::Cross(axis, from, to);
    float s = 0.0f;
    axis.Normalize(&s);
    float angle = s <= 1.0f ? std::asin(s) : kHalfPi;
    if (Vec3::Dot(from, to) < 0.0f) {
        angle = kPi - angle;
    }
    FromAxisAngle(angle, axis);
}

Quaternion& Quaternion::Slerp(Quaternion& out, const Quaternion& a, const Quaternion& b, float t) {
    // Both ends are copied first, so out may alias either of them.
    const Quaternion from = a;
    Quaternion to = b;
    float c = Dot4(from, to);
    if (c < 0.0f) {
        c = -c;
        to = Negated(to);  // take the shorter arc
    }
    float s2 = 1.0f - c * c;
    if (s2 < 0.0f) {
        s2 = 0.0f;
    }
    const float s = std::fabs(s2) >= kFloatEpsilon ? std::sqrt(s2) : 0.0f;
    if (std::fabs(s) < kFloatEpsilon) {
        return out = from;
    }
    const float angle = std::acos(c);
    const float k0 = std::sin(angle * (1.0f - t)) / s;
    const float k1 = std::sin(angle * t) / s;
    return out = Quaternion{k0 * from.x + k1 * to.x, k0 * from.y + k1 * to.y, k0 * from.z + k1 * to.z,
                            k0 * from.w + k1 * to.w};
}

Quaternion& Quaternion::Nlerp(Quaternion& out, const Quaternion& a, const Quaternion& b, float t) {
    out = Quaternion{Lerp(a.x, b.x, t), Lerp(a.y, b.y, t), Lerp(a.z, b.z, t), Lerp(a.w, b.w, t)};
    return QuaternionNormalize(out);
}

void Quaternion::ToMatrix3(float out[9]) const {
    const float xx = x * x;
    const float yy = y * y;
    const float zz = z * z;
    const float ww = w * w;
    out[0] = xx - yy - zz + ww;
    out[1] = 2.0f * (x * y + z * w);
    out[2] = 2.0f * (x * z - y * w);
    out[3] = 2.0f * (x * y - z * w);
    out[4] = yy - xx - zz + ww;
    out[5] = 2.0f * (y * z + x * w);
    out[6] = 2.0f * (x * z + y * w);
    out[7] = 2.0f * (y * z - x * w);
    out[8] = zz - xx - yy + ww;
}

}  // namespace quill
