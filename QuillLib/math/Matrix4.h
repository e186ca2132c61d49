#pragma once
// Sixteen floats, row-major (element (r, c) is m[4r + c]), used with row vectors: p' = p * M, translation in
// the last row. A * B applies A first, so a world matrix is scale * rotation * translation.
#include "QuillLib/math/Vec3.h"

namespace quill {

struct Quaternion;

struct Matrix4 {
    float m[16] = {1.0f, 0.0f, 0.0f, 0.0f,  //
                   0.0f, 1.0f, 0.0f, 0.0f,  //
                   0.0f, 0.0f, 1.0f, 0.0f,  //
                   0.0f, 0.0f, 0.0f, 1.0f};

    // out = a * b, row by row; out may be a or b.
    static Matrix4& Multiply(Matrix4& out, const Matrix4& a, const Matrix4& b);
    // this = this * b.
    Matrix4& MultiplyInPlace(const Matrix4& b);

    // The rotation matrix of q for row vectors. The diagonal uses all four squares, so a quaternion of
    // length L gives a rotation scaled by L squared.
    void FromQuaternion(const Quaternion& q);

    // Gauss-Jordan elimination in double precision with partial pivoting, stored as floats. A singular matrix
    // (a pivot below 1e-12 of the largest entry) or one holding NaN or infinity leaves out unchanged and
    // answers false.
    bool Invert(Matrix4& out) const;
};

inline constexpr Matrix4 kIdentityMatrix{};

// out = (v, 1) * m; no division by w, also for a projection matrix.
Vec3& TransformPoint(Vec3& out, const Vec3& v, const Matrix4& m);

}  // namespace quill
