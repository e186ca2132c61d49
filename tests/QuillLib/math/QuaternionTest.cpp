#include <gtest/gtest.h>

#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::AxisAngle;
using test::Bits;
using test::ExpectMatrixNear;
using test::ExpectQuatNear;
using test::ExpectVecNear;

Matrix4 MatrixOf(const Quaternion& q) {
    Matrix4 m;
    m.FromQuaternion(q);
    return m;
}

Quaternion Negated(const Quaternion& q) {
    return {-q.x, -q.y, -q.z, -q.w};
}

TEST(QuaternionTest, HamiltonProductMayWriteItsInputs) {
    Quaternion p{1, 2, 3, 4};
    p.MultiplyInPlace(Quaternion{5, 6, 7, 8});
    ExpectQuatNear(p, {24, 48, 48, -6}, 0.0f);
    Quaternion::Multiply(p, p, p);
    ExpectQuatNear(p, {-288, -576, -576, -5148}, 0.0f);
}

TEST(QuaternionTest, ProductRotatesByTheRightFactorFirst) {
    const Quaternion a = AxisAngle(0.6f, Vec3{1, 0, 0});
    const Quaternion b = AxisAngle(-1.1f, Vec3{0, 1, 1});
    Quaternion ab;
    Quaternion::Multiply(ab, a, b);
    Vec3 twice{0.3f, -0.2f, 0.9f};
    twice.Rotate(b);
    twice.Rotate(a);
    Vec3 once{0.3f, -0.2f, 0.9f};
    once.Rotate(ab);
    ExpectVecNear(once, twice);
    // Row vectors: the matrix of a * b is M(b) * M(a).
    Matrix4 expected;
    Matrix4::Multiply(expected, MatrixOf(b), MatrixOf(a));
    ExpectMatrixNear(MatrixOf(ab), expected);
}

TEST(QuaternionTest, NormalizeAndInverseDivideByTheLengthAndGiveZeroBelowEpsilon) {
    Quaternion q{0, 5, 0, 12};
    Quaternion inverse;
    q.Inverse(inverse);
    ExpectQuatNear(inverse, {0, -5.0f / 13, 0, 12.0f / 13}, 0.0f);  // not by the squared length
    float length = 0.0f;
    QuaternionNormalize(q, &length);
    EXPECT_EQ(length, 13.0f);
    EXPECT_EQ(Bits(q.w), Bits(12.0f / 13.0f));  // divided, not multiplied by a reciprocal

    // Zero, not the identity: callers test for it.
    Quaternion tiny{0, 0, 0, 1e-9f};
    tiny.Inverse(inverse);
    ExpectQuatNear(inverse, {0, 0, 0, 0}, 0.0f);
    ExpectQuatNear(QuaternionNormalize(tiny), {0, 0, 0, 0}, 0.0f);
}

TEST(QuaternionArcTest, TurnsTheFirstUnitVectorOntoTheSecond) {
    // Beyond 90 degrees the angle is pi - asin(s).
    const Vec3 obtuse{-0.6f, 0.8f, 0};
    Quaternion arc;
    arc.SetRotationArc(Vec3{1, 0, 0}, obtuse);
    Vec3 v{1, 0, 0};
    v.Rotate(arc);
    ExpectVecNear(v, obtuse);

    // Opposite vectors have no axis: (0, 0, 0, cos(pi / 2)) leaves every vector in place.
    arc.SetRotationArc(Vec3{1, 0, 0}, Vec3{-1, 0, 0});
    ExpectQuatNear(arc, {0, 0, 0, std::cos(kHalfPi)}, 0.0f);
}

TEST(QuaternionSlerpTest, FollowsTheShorterArcAndReturnsTheFirstOfEqualEnds) {
    const Quaternion a = AxisAngle(0.2f, Vec3{0, 0, 1});
    const Quaternion b = AxisAngle(1.4f, Vec3{0, 0, 1});
    const Quaternion quarterWay = AxisAngle(0.5f, Vec3{0, 0, 1});
    Quaternion out = a;
    ExpectQuatNear(Quaternion::Slerp(out, out, b, 0.25f), quarterWay);  // out may be an end
    ExpectQuatNear(Quaternion::Slerp(out, a, Negated(b), 0.25f), quarterWay);
    // Equal or opposite ends have no arc between them: the first comes back exactly, not NaN.
    for (const Quaternion& end : {a, Negated(a)}) {
        Quaternion::Slerp(out, a, end, 0.3f);
        EXPECT_EQ(Bits(out.w), Bits(a.w));
    }
}

TEST(QuaternionNlerpTest, BlendsAndNormalisesWithoutSignCorrection) {
    const Quaternion a = AxisAngle(0.2f, Vec3{1, 0, 0});
    Quaternion out;
    ExpectQuatNear(Quaternion::Nlerp(out, a, AxisAngle(0.6f, Vec3{1, 0, 0}), 0.5f), AxisAngle(0.4f, Vec3{1, 0, 0}));
    ExpectQuatNear(Quaternion::Nlerp(out, a, Negated(a), 0.5f), {0, 0, 0, 0}, 0.0f);
}

}  // namespace
}  // namespace quill
