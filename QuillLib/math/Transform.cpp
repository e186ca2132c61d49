#include "QuillLib/math/Transform.h"

#include <cmath>

#include "QuillLib/math/MathConstants.h"

namespace quill {

namespace {

Vec3 MultiplyComponents(const Vec3& a, const Vec3& b) {
    return {a.x * b.x, a.y * b.y, a.z * b.z};
}

void ScaleRow(Matrix4& matrix, int row, float s) {
    for (int col = 0; col < 4; ++col) {
        matrix.m[4 * row + col] *= s;
    }
}

}  // namespace

void Transform::UpdateMatrix() {
    matrix.FromQuaternion(rotation);
    ScaleRow(matrix, 0, scale.x);
    ScaleRow(matrix, 1, scale.y);
    ScaleRow(matrix, 2, scale.z);
    matrix.m[12] = position.x;
    matrix.m[13] = position.y;
    matrix.m[14] = position.z;
}

void Transform::Set(const Vec3& newPosition, const Vec3& newScale, const Quaternion& newRotation) {
    position = newPosition;
    scale = newScale;
    rotation = newRotation;
    UpdateMatrix();
}

void Transform::SetPosition(const Vec3& newPosition) {
    position = newPosition;
    UpdateMatrix();
}

void Transform::SetRotation(const Quaternion& newRotation) {
    rotation = newRotation;
    UpdateMatrix();
}

void Transform::FromPosition(const Vec3& newPosition) {
    position = newPosition;
    scale = Vec3{1.0f, 1.0f, 1.0f};
    UpdateMatrix();
}

bool Transform::IsIdentity() const {
    return std::fabs(position.x) < kFloatEpsilon && std::fabs(position.y) < kFloatEpsilon && IsNearZero(position.z) &&
           FloatNearlyEqual(scale.x, 1.0f) && FloatNearlyEqual(scale.y, 1.0f) && FloatNearlyEqual(scale.z, 1.0f) &&
           rotation.IsIdentity();
}

void Transform::Combine(const Transform& parent) {
    position = MultiplyComponents(position, parent.scale);
    position.Rotate(parent.rotation);
    position.AddInPlace(parent.position);
    scale = MultiplyComponents(scale, parent.scale);
    Quaternion::Multiply(rotation, parent.rotation, rotation);
    matrix.MultiplyInPlace(parent.matrix);
}

void Transform::Interpolate(const Transform& a, const Transform& b, float t) {
    position = Lerp(a.position, b.position, t);
    scale = Lerp(a.scale, b.scale, t);
    Quaternion::Nlerp(rotation, a.rotation, b.rotation, t);
    UpdateMatrix();
}

}  // namespace quill
