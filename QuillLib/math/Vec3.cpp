#include "QuillLib/math/Vec3.h"

#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"

namespace quill {

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
