#pragma once
// A placement: position, scale and rotation together with the matrix built from them (26 floats in this order).
// The matrix is a cache, valid only after UpdateMatrix, Set or Combine.
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

struct Transform {
    Vec3 position = kZeroVector;
    Vec3 scale{1.0f, 1.0f, 1.0f};
    Quaternion rotation = kIdentityQuaternion;
    Matrix4 matrix = kIdentityMatrix;

    // matrix = scale * rotation * translation for row vectors.
    void UpdateMatrix();
    // Stores the three parts and rebuilds the matrix.
    void Set(const Vec3& newPosition, const Vec3& newScale, const Quaternion& newRotation);
    void SetPosition(const Vec3& newPosition);
    void SetRotation(const Quaternion& newRotation);
    // Position v with unit scale (the rotation is kept), then the matrix.
    void FromPosition(const Vec3& newPosition);

    // Identity by position, scale and rotation; the cached matrix is not looked at.
    bool IsIdentity() const;
    // Places this transform inside parent. A child gets rotation parent * child but matrix child * parent, so
    // this transform's matrix must be up to date beforehand.
    void Combine(const Transform& parent);
    // Position and scale blended linearly, rotation by Quaternion::Nlerp, then the matrix.
    void Interpolate(const Transform& a, const Transform& b, float t);
};

}  // namespace quill
