#include <gtest/gtest.h>

#include <cmath>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::Bits;
using test::ExpectMatrixNear;
using test::ExpectQuatNear;
using test::ExpectVecNear;

Quaternion AxisAngle(float angle, const Vec3& axis) {
    Quaternion q;
    q.FromAxisAngle(angle, axis);
    return q;
}

Matrix4 MatrixOf(const Quaternion& q) {
    Matrix4 m;
    m.FromQuaternion(q);
    return m;
}

TEST(QuaternionTest, HamiltonProduct) {
    const Quaternion i{1, 0, 0, 0};
    const Quaternion j{0, 1, 0, 0};
    Quaternion k;
    Quaternion::Multiply(k, i, j);
    ExpectQuatNear(k, 0, 0, 1, 0, 0.0f);  // i j = k
    Quaternion::Multiply(k, j, i);
    ExpectQuatNear(k, 0, 0, -1, 0, 0.0f);  // j i = -k

    const Quaternion a{1, 2, 3, 4};
    const Quaternion b{5, 6, 7, 8};
    Quaternion p;
    Quaternion::Multiply(p, a, b);
    ExpectQuatNear(p, 24, 48, 48, -6, 0.0f);

    Quaternion inPlace = a;
    inPlace.MultiplyInPlace(b);
    ExpectQuatNear(inPlace, 24, 48, 48, -6, 0.0f);
    Quaternion::Multiply(inPlace, inPlace, inPlace);  // out aliases both inputs
    Quaternion expected;
    Quaternion::Multiply(expected, p, p);
    ExpectQuatNear(inPlace, expected.x, expected.y, expected.z, expected.w, 0.0f);
}

TEST(QuaternionTest, RotationAndItsMatrixAgree) {
    const Quaternion q = AxisAngle(kHalfPi, Vec3{0, 0, 1});
    Vec3 v{1, 0, 0};
    v.Rotate(q);
    ExpectVecNear(v, 0, 1, 0);
    Vec3 viaMatrix;
    TransformPoint(viaMatrix, Vec3{1, 0, 0}, MatrixOf(q));
    ExpectVecNear(viaMatrix, 0, 1, 0);
}

TEST(QuaternionTest, ProductMatrixRunsInTheOppositeOrder) {
    const Quaternion a = AxisAngle(0.6f, Vec3{1, 0, 0});
    const Quaternion b = AxisAngle(-1.1f, Vec3{0, 1, 1});
    Quaternion ab;
    Quaternion::Multiply(ab, a, b);
    Matrix4 expected;
    Matrix4::Multiply(expected, MatrixOf(b), MatrixOf(a));
    ExpectMatrixNear(MatrixOf(ab), expected);

    // Rotating by b and then by a equals rotating by a * b.
    Vec3 twice{0.3f, -0.2f, 0.9f};
    twice.Rotate(b);
    twice.Rotate(a);
    Vec3 once{0.3f, -0.2f, 0.9f};
    once.Rotate(ab);
    ExpectVecNear(once, twice.x, twice.y, twice.z);
}

TEST(QuaternionTest, FromAxisAngleNormalisesTheAxis) {
    const Quaternion q = AxisAngle(kPi, Vec3{0, 0, 2});
    EXPECT_EQ(q.x, 0.0f);
    EXPECT_EQ(q.y, 0.0f);
    EXPECT_FLOAT_EQ(q.z, 1.0f);
    EXPECT_EQ(Bits(q.w), Bits(std::cos(kPi / 2)));

    const Quaternion zeroAxis = AxisAngle(1.0f, Vec3{0, 0, 0});
    ExpectQuatNear(zeroAxis, 0, 0, 0, std::cos(0.5f), 0.0f);
}

TEST(QuaternionTest, LengthAndNormalize) {
    Quaternion q{0, 3, 0, 4};
    EXPECT_EQ(q.Length(), 5.0f);
    float length = 0.0f;
    QuaternionNormalize(q, &length);
    EXPECT_EQ(length, 5.0f);
    EXPECT_EQ(Bits(q.y), Bits(3.0f / 5.0f));  // divided, not multiplied by a reciprocal
    EXPECT_EQ(Bits(q.w), Bits(4.0f / 5.0f));

    Quaternion tiny{0, 0, 0, 1e-9f};
    QuaternionNormalize(tiny, &length);
    ExpectQuatNear(tiny, 0, 0, 0, 0, 0.0f);  // zero, not the identity
    EXPECT_FLOAT_EQ(length, 1e-9f);
}

TEST(QuaternionTest, InverseDividesTheConjugateByTheLength) {
    const Quaternion q = AxisAngle(0.8f, Vec3{1, 2, 2});
    Quaternion inverse;
    q.Inverse(inverse);
    Quaternion product;
    Quaternion::Multiply(product, q, inverse);
    ExpectQuatNear(product, 0, 0, 0, 1);

    Quaternion zero;
    Quaternion{0, 0, 0, 1e-8f}.Inverse(zero);
    ExpectQuatNear(zero, 0, 0, 0, 0, 0.0f);
}

TEST(QuaternionArcTest, ShortestRotationBetweenUnitVectors) {
    Quaternion same;
    same.SetRotationArc(Vec3{1, 0, 0}, Vec3{1, 0, 0});
    EXPECT_TRUE(same.IsIdentity());

    Quaternion quarter;
    quarter.SetRotationArc(Vec3{1, 0, 0}, Vec3{0, 1, 0});
    Vec3 v{1, 0, 0};
    v.Rotate(quarter);
    ExpectVecNear(v, 0, 1, 0);

    // Beyond 90 degrees the angle is pi - asin(s).
    const Vec3 obtuse{-0.6f, 0.8f, 0};
    Quaternion wide;
    wide.SetRotationArc(Vec3{1, 0, 0}, obtuse);
    Vec3 w{1, 0, 0};
    w.Rotate(wide);
    ExpectVecNear(w, obtuse.x, obtuse.y, obtuse.z);
}

TEST(QuaternionArcTest, OppositeVectorsGiveTheDocumentedNearZeroRotation) {
    Quaternion opposite;
    opposite.SetRotationArc(Vec3{1, 0, 0}, Vec3{-1, 0, 0});
    EXPECT_EQ(opposite.x, 0.0f);
    EXPECT_EQ(opposite.y, 0.0f);
    EXPECT_EQ(opposite.z, 0.0f);
    EXPECT_EQ(Bits(opposite.w), Bits(std::cos((kPi - 0.0f) * 0.5f)));
    EXPECT_NEAR(opposite.w, 0.0f, 1e-7f);
}

TEST(QuaternionSlerpTest, EndsAndDegenerateInputs) {
    const Quaternion a = AxisAngle(0.2f, Vec3{0, 0, 1});
    const Quaternion b = AxisAngle(1.4f, Vec3{0, 0, 1});
    Quaternion out;
    Quaternion::Slerp(out, a, b, 0.0f);
    ExpectQuatNear(out, a.x, a.y, a.z, a.w);
    Quaternion::Slerp(out, a, b, 1.0f);
    ExpectQuatNear(out, b.x, b.y, b.z, b.w);
    Quaternion::Slerp(out, a, b, 0.5f);
    const Quaternion mid = AxisAngle(0.8f, Vec3{0, 0, 1});
    ExpectQuatNear(out, mid.x, mid.y, mid.z, mid.w);

    // The far representation of b is replaced by the near one.
    const Quaternion farB{-b.x, -b.y, -b.z, -b.w};
    Quaternion::Slerp(out, a, farB, 1.0f);
    ExpectQuatNear(out, b.x, b.y, b.z, b.w);

    // Equal (or opposite) ends return a, whatever t is.
    const Quaternion minusA{-a.x, -a.y, -a.z, -a.w};
    for (float t : {0.0f, 0.3f, 1.0f}) {
        Quaternion::Slerp(out, a, a, t);
        EXPECT_EQ(Bits(out.z), Bits(a.z));
        EXPECT_EQ(Bits(out.w), Bits(a.w));
        Quaternion::Slerp(out, a, minusA, t);
        EXPECT_EQ(Bits(out.z), Bits(a.z));
        EXPECT_EQ(Bits(out.w), Bits(a.w));
    }

    Quaternion aliased = a;
    Quaternion::Slerp(aliased, aliased, b, 1.0f);
    ExpectQuatNear(aliased, b.x, b.y, b.z, b.w);
}

TEST(QuaternionNlerpTest, BlendsWithoutSignCorrection) {
    const Quaternion a = AxisAngle(0.2f, Vec3{1, 0, 0});
    const Quaternion b = AxisAngle(0.6f, Vec3{1, 0, 0});
    Quaternion out;
    Quaternion::Nlerp(out, a, b, 0.0f);
    ExpectQuatNear(out, a.x, a.y, a.z, a.w);
    Quaternion::Nlerp(out, a, b, 1.0f);
    ExpectQuatNear(out, b.x, b.y, b.z, b.w);
    Quaternion::Nlerp(out, a, b, 0.5f);
    EXPECT_FLOAT_EQ(out.Length(), 1.0f);

    const Quaternion minusA{-a.x, -a.y, -a.z, -a.w};
    Quaternion::Nlerp(out, a, minusA, 0.5f);
    ExpectQuatNear(out, 0, 0, 0, 0, 0.0f);
    Quaternion::Slerp(out, a, minusA, 0.5f);
    ExpectQuatNear(out, a.x, a.y, a.z, a.w, 0.0f);
}

}  // namespace
}  // namespace quill
