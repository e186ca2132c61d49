#include <gtest/gtest.h>

#include <limits>

#include "QuillLib/math/Matrix4.h"
#include "QuillLib/math/Quaternion.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::AxisAngle;
using test::ExpectMatrixNear;
using test::ExpectVecEq;
using test::ExpectVecNear;

Matrix4 Translation(float x, float y, float z) {
    return Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}};
}

TEST(Matrix4Test, RowVectorsTakeTheTranslationFromTheLastRowAndNeverDivideByW) {
    // Elements off the diagonal mix x into y' and y into x'; column 3 makes w' = z, which must not divide.
    const Matrix4 m{{2, 1, 0, 0, 5, 3, 0, 0, 0, 0, 4, 1, 10, 20, 30, 0}};
    Vec3 v{1, 2, 3};
    v.TransformInPlace(m);
    ExpectVecEq(v, 22, 27, 42);
}

TEST(Matrix4Test, FromQuaternionReplacesTheMatrixScaledByTheSquaredLength) {
    const Quaternion unit = AxisAngle(kHalfPi, Vec3{0, 0, 1});
    Matrix4 m = Translation(7, 8, 9);
    m.FromQuaternion(Quaternion{2 * unit.x, 2 * unit.y, 2 * unit.z, 2 * unit.w});
    Vec3 out;
    ExpectVecNear(TransformPoint(out, Vec3{1, 0, 0}, m), {0, 4, 0}, 4e-6f);
}

TEST(Matrix4InvertTest, InvertsGeneralMatricesAndPivotsOnTheLargestEntry) {
    const Matrix4 cases[] = {
        Matrix4{{2, 1, 0, 0, 1, 3, 1, 0, 0, 1, 4, 1, 1, 0, 0, 2}},
        // The first column is (0, 0, 0, 1): without exchanging rows the elimination divides by zero.
        Matrix4{{0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
    };
    for (const Matrix4& m : cases) {
        Matrix4 inverse;
        ASSERT_TRUE(m.Invert(inverse));
        Matrix4 product;
        ExpectMatrixNear(Matrix4::Multiply(product, m, inverse), kIdentityMatrix, 1e-6f);
    }
}

TEST(Matrix4InvertTest, SingularOrNonFiniteMatrixFailsAndLeavesTheResultAlone) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Matrix4 cases[] = {
        Matrix4{{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},  // a zero row
        Matrix4{{1, 2, 3, 0, 4, 5, 6, 0, 5, 7, 9, 0, 0, 0, 0, 1}},  // row 2 = row 0 + row 1
        Matrix4{{nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
        Matrix4{{1, nan, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},  // off the pivot path
        Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, inf, 0, 0, 1}},
    };
    for (const Matrix4& m : cases) {
        Matrix4 out = Translation(1, 2, 3);
        EXPECT_FALSE(m.Invert(out));
        ExpectMatrixNear(out, Translation(1, 2, 3), 0.0f);
    }
}

}  // namespace
}  // namespace quill
