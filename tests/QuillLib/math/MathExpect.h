#pragma once
// Comparisons and builders for the math suites. Values printed by hand were computed in higher precision, so
// they are matched within a few ulps (EXPECT_FLOAT_EQ allows four); results that come out of a rotation are
// matched with an absolute bound.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"

namespace quill::test {

inline constexpr float kRotationTolerance = 1e-6f;

inline void ExpectVecEq(const Vec3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

inline void ExpectVecNear(const Vec3& v, const Vec3& expected, float tolerance = kRotationTolerance) {
    EXPECT_NEAR(v.x, expected.x, tolerance);
    EXPECT_NEAR(v.y, expected.y, tolerance);
    EXPECT_NEAR(v.z, expected.z, tolerance);
}

inline void ExpectQuatNear(const Quaternion& q, const Quaternion& expected, float tolerance = kRotationTolerance) {
    EXPECT_NEAR(q.x, expected.x, tolerance);
    EXPECT_NEAR(q.y, expected.y, tolerance);
    EXPECT_NEAR(q.z, expected.z, tolerance);
    EXPECT_NEAR(q.w, expected.w, tolerance);
}

inline void ExpectMatrixNear(const Matrix4& actual, const Matrix4& expected, float tolerance = kRotationTolerance) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
    }
}

inline uint32_t Bits(float f) {
    return std::bit_cast<uint32_t>(f);
}

inline Quaternion AxisAngle(float angle, const Vec3& axis) {
    Quaternion q;
    q.FromAxisAngle(angle, axis);
    return q;
}

}  // namespace quill::test
