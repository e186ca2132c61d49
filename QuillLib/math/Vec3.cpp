#include "QuillLib/math/Vec3.h"

#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"

namespace quill {

float Vec3::Length() const {
    return std::sqrt(static_cast<float>(LengthSquared()));
}

Vec3& Vec3::Normalize(float* outLength) {
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

void Vec3::Rotate(const Quaternion& q) {
    const Vec3 u{q.x, q.y, q.z};
    Vec3 t;
    Cross(t, u, *this);
    Vec3 ut;
    Cross(ut, u, t);
    *this = *this + t * (2.0f * q.w) + ut * 2.0f;
}

void Vec3::TransformInPlace(const Matrix4& m) {
    TransformPoint(*this, *this, m);
}

}  // namespace quill
