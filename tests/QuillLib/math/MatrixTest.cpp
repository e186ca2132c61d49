#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::ExpectMatrixNear;
using test::ExpectVecEq;
using test::ExpectVecNear;

Matrix4 Translation(float x, float y, float z) {
    Matrix4 m;
    m.m[12] = x;
    m.m[13] = y;
    m.m[14] = z;
    return m;
}

Matrix4 Scaling(float x, float y, float z) {
    Matrix4 m;
    m.m[0] = x;
    m.m[5] = y;
    m.m[10] = z;
    return m;
}

TEST(Matrix4Test, RowVectorsTakeTheTranslationFromTheLastRow) {
    Matrix4 m = Scaling(2.0f, 3.0f, 4.0f);
    m.m[12] = 10.0f;
    m.m[13] = 20.0f;
    m.m[14] = 30.0f;
    Vec3 out;
    ExpectVecEq(TransformPoint(out, Vec3{1.0f, 1.0f, 1.0f}, m), 12.0f, 23.0f, 34.0f);

    // x' = x m0 + y m4 + z m8 + m12: an element off the diagonal in row 1 mixes y into x'.
    Matrix4 shear;
    shear.m[4] = 5.0f;
    ExpectVecEq(TransformPoint(out, Vec3{1.0f, 2.0f, 3.0f}, shear), 11.0f, 2.0f, 3.0f);

    Vec3 v{1.0f, 2.0f, 3.0f};
    v.TransformInPlace(shear);
    ExpectVecEq(v, 11.0f, 2.0f, 3.0f);
}

TEST(Matrix4Test, TransformPointNeverDividesByW) {
    Matrix4 projection;
    projection.m[11] = 1.0f;  // w' = z
    projection.m[15] = 0.0f;
    Vec3 out;
    ExpectVecEq(TransformPoint(out, Vec3{2.0f, 4.0f, 8.0f}, projection), 2.0f, 4.0f, 8.0f);
}

TEST(Matrix4Test, ProductAppliesTheLeftMatrixFirst) {
    const Matrix4 scale = Scaling(2.0f, 2.0f, 2.0f);
    const Matrix4 move = Translation(1.0f, 0.0f, 0.0f);
    Matrix4 scaleThenMove;
    Matrix4::Multiply(scaleThenMove, scale, move);
    Vec3 out;
    ExpectVecEq(TransformPoint(out, Vec3{1.0f, 0.0f, 0.0f}, scaleThenMove), 3.0f, 0.0f, 0.0f);
    Matrix4 moveThenScale;
    Matrix4::Multiply(moveThenScale, move, scale);
    ExpectVecEq(TransformPoint(out, Vec3{1.0f, 0.0f, 0.0f}, moveThenScale), 4.0f, 0.0f, 0.0f);
}

TEST(Matrix4Test, MultiplyInPlaceReadsEachRowBeforeOverwritingIt) {
    Matrix4 m;
    for (int i = 0; i < 16; ++i) {
        m.m[i] = static_cast<float>(i + 1);
    }
    const Matrix4 original = m;
    m.MultiplyInPlace(kIdentityMatrix);
    ExpectMatrixNear(m, original, 0.0f);

    Matrix4 expected;
    Matrix4::Multiply(expected, original, original);
    m.MultiplyInPlace(m);  // the right operand is this matrix itself
    ExpectMatrixNear(m, expected, 0.0f);

    Matrix4 affine = Scaling(2.0f, 2.0f, 2.0f);
    affine.m[12] = 1.0f;
    affine.MultiplyInPlace(Translation(5.0f, 6.0f, 7.0f));
    EXPECT_EQ(affine.m[12], 6.0f);
    EXPECT_EQ(affine.m[13], 6.0f);
    EXPECT_EQ(affine.m[14], 7.0f);
    EXPECT_EQ(affine.m[0], 2.0f);
}

TEST(Matrix4Test, FromQuaternionScalesByTheSquaredLength) {
    Quaternion unit;
    unit.FromAxisAngle(kHalfPi, Vec3{0.0f, 0.0f, 1.0f});
    Matrix4 rotation;
    rotation.FromQuaternion(unit);
    Vec3 out;
    ExpectVecNear(TransformPoint(out, Vec3{1.0f, 0.0f, 0.0f}, rotation), 0.0f, 1.0f, 0.0f);

    const Quaternion doubled{2.0f * unit.x, 2.0f * unit.y, 2.0f * unit.z, 2.0f * unit.w};
    Matrix4 scaled;
    scaled.FromQuaternion(doubled);
    ExpectVecNear(TransformPoint(out, Vec3{1.0f, 0.0f, 0.0f}, scaled), 0.0f, 4.0f, 0.0f, 4e-6f);
    EXPECT_EQ(scaled.m[15], 1.0f);
    EXPECT_EQ(scaled.m[3], 0.0f);
    EXPECT_EQ(scaled.m[12], 0.0f);

    Matrix4 zero;
    zero.FromQuaternion(Quaternion{0.0f, 0.0f, 0.0f, 0.0f});
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(zero.m[i], 0.0f);
    }
}

TEST(Matrix4InvertTest, InvertsAffineAndGeneralMatrices) {
    Quaternion q;
    q.FromAxisAngle(0.7f, Vec3{1.0f, 2.0f, 3.0f});
    Matrix4 m;
    m.FromQuaternion(q);
    m.MultiplyInPlace(Translation(4.0f, -5.0f, 6.0f));
    Matrix4 inverse;
    ASSERT_TRUE(m.Invert(inverse));
    Matrix4 product;
    Matrix4::Multiply(product, m, inverse);
    ExpectMatrixNear(product, kIdentityMatrix, 2e-6f);

    Matrix4 general;
    const float values[16] = {2, 1, 0, 0, 1, 3, 1, 0, 0, 1, 4, 1, 1, 0, 0, 2};
    for (int i = 0; i < 16; ++i) {
        general.m[i] = values[i];
    }
    ASSERT_TRUE(general.Invert(inverse));
    Matrix4::Multiply(product, inverse, general);
    ExpectMatrixNear(product, kIdentityMatrix, 1e-6f);
}

TEST(Matrix4InvertTest, PivotsOnTheLargestEntryOfTheColumn) {
    // The first column is (0, 0, 0, 1): without an exchange of rows 0 and 3 the elimination divides by zero.
    Matrix4 permutation;
    const float values[16] = {0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0};
    for (int i = 0; i < 16; ++i) {
        permutation.m[i] = values[i];
    }
    Matrix4 inverse;
    ASSERT_TRUE(permutation.Invert(inverse));
    Matrix4 product;
    Matrix4::Multiply(product, permutation, inverse);
    ExpectMatrixNear(product, kIdentityMatrix, 0.0f);

    // A tiny first pivot with a large entry below it: pivoting keeps the result accurate.
    Matrix4 skewed;
    const float skew[16] = {1e-7f, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) {
        skewed.m[i] = skew[i];
    }
    ASSERT_TRUE(skewed.Invert(inverse));
    Matrix4::Multiply(product, skewed, inverse);
    ExpectMatrixNear(product, kIdentityMatrix, 1e-6f);
}

TEST(Matrix4InvertTest, SingularMatrixFailsAndLeavesTheResultAlone) {
    Matrix4 singular;
    singular.m[5] = 0.0f;  // row 1 is zero
    Matrix4 out = Translation(1.0f, 2.0f, 3.0f);
    const Matrix4 before = out;
    EXPECT_FALSE(singular.Invert(out));
    ExpectMatrixNear(out, before, 0.0f);

    Matrix4 dependent;  // row 2 = row 0 + row 1
    const float values[16] = {1, 2, 3, 0, 4, 5, 6, 0, 5, 7, 9, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) {
        dependent.m[i] = values[i];
    }
    EXPECT_FALSE(dependent.Invert(out));

    Matrix4 withNaN;
    withNaN.m[0] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(withNaN.Invert(out));
    ExpectMatrixNear(out, before, 0.0f);
}

}  // namespace
}  // namespace quill
