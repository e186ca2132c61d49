#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vec3.h"
#include "QuillLib/math/Vector2D.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::Bits;
using test::ExpectVecEq;

TEST(NearZeroTest, IsStrictAtFloatEpsilon) {
    EXPECT_TRUE(IsNearZero(0.0f));
    EXPECT_TRUE(IsNearZero(-0.0f));
    EXPECT_TRUE(IsNearZero(std::nextafter(FLT_EPSILON, 0.0f)));
    EXPECT_TRUE(IsNearZero(-std::nextafter(FLT_EPSILON, 0.0f)));
    EXPECT_FALSE(IsNearZero(FLT_EPSILON));
    EXPECT_FALSE(IsNearZero(-FLT_EPSILON));
    EXPECT_FALSE(IsNearZero(std::numeric_limits<float>::quiet_NaN()));

    EXPECT_TRUE(FloatNearlyEqual(1.0f, 1.0f + FLT_EPSILON / 2));
    EXPECT_FALSE(FloatNearlyEqual(0.0f, FLT_EPSILON));
    EXPECT_FALSE(FloatNearlyEqual(std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()));
}

TEST(Vec3Test, CrossFollowsTheComponentFormulaAndMayWriteAnInput) {
    Vec3 out;
    ExpectVecEq(Vec3::Cross(out, Vec3{1, 0, 0}, Vec3{0, 1, 0}), 0.0f, 0.0f, 1.0f);
    ExpectVecEq(Vec3::Cross(out, Vec3{0, 1, 0}, Vec3{1, 0, 0}), 0.0f, 0.0f, -1.0f);
    Vec3 a{1.0f, 2.0f, 3.0f};
    Vec3::Cross(a, a, Vec3{4.0f, -5.0f, 6.0f});
    ExpectVecEq(a, 27.0f, 6.0f, -13.0f);
}

TEST(Vec3Test, EqualsIsExact) {
    EXPECT_TRUE((Vec3{0.3f, -2.0f, 7.0f}.Equals(Vec3{0.3f, -2.0f, 7.0f})));
    EXPECT_FALSE((Vec3{1.0f, 0, 0}.Equals(Vec3{std::nextafter(1.0f, 2.0f), 0, 0})));
    EXPECT_TRUE((Vec3{0.0f, -0.0f, 0.0f}.Equals(Vec3{-0.0f, 0.0f, 0.0f})));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE((Vec3{nan, 0, 0}.Equals(Vec3{nan, 0, 0})));
}

TEST(Vec3Test, LengthSquaredKeepsDoublePrecision) {
    // 1 + 2^-13 squared needs 27 bits: a float sum would lose the 2^-26 term.
    const float x = 1.0f + 0x1p-13f;
    const Vec3 v{x, 0.0f, 0.0f};
    EXPECT_EQ(v.LengthSquared(), 1.0 + 0x1p-12 + 0x1p-26);

    const Vec3 big{0x1p100f, 0.0f, 0x1p100f};  // overflows as a float sum, not as a double
    EXPECT_EQ(big.LengthSquared(), 0x1p201);
    EXPECT_TRUE(std::isinf(big.Length()));  // Length reduces the sum to a float first
}

TEST(Vec3Test, LengthReducesTheSumToFloatBeforeTheRoot) {
    const Vec3 v{1.0f, 2.0f, 2.0f};
    EXPECT_EQ(v.Length(), 3.0f);
    const Vec3 w{0.1f, 0.2f, 0.3f};
    EXPECT_EQ(Bits(w.Length()), Bits(std::sqrt(static_cast<float>(w.LengthSquared()))));
}

TEST(Vec3Test, NormalizeUsesAStrictEpsilonAndReportsTheLength) {
    float length = -1.0f;
    Vec3 tiny{1e-8f, 0.0f, 0.0f};
    tiny.Normalize(&length);
    ExpectVecEq(tiny, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(length, 1e-8f);

    Vec3 zero;
    zero.Normalize(&length);
    ExpectVecEq(zero, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(length, 0.0f);

    Vec3 upward{0.0f, 0.0f, 1e-8f};
    upward.Normalize(&length);
    ExpectVecEq(upward, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(length, 1e-8f);

    Vec3 v{3.0f, 0.0f, 4.0f};
    EXPECT_EQ(&v.Normalize(&length), &v);
    EXPECT_EQ(length, 5.0f);
    // Scaled by the reciprocal: 3 * (1/5), which may differ from 3 / 5 in the last bit.
    EXPECT_EQ(Bits(v.x), Bits(3.0f * (1.0f / 5.0f)));
    EXPECT_EQ(Bits(v.z), Bits(4.0f * (1.0f / 5.0f)));

    Vec3 noLength{0.0f, 2.0f, 0.0f};
    noLength.Normalize();
    ExpectVecEq(noLength, 0.0f, 1.0f, 0.0f);
}

TEST(Plane2DTest, LengthIsZeroWithoutARoot) {
    EXPECT_EQ(Length2D(0.0f, 0.0f), 0.0f);
    EXPECT_EQ(Length2D(3.0f, -4.0f), 5.0f);
    EXPECT_EQ(Length2D(std::numeric_limits<float>::quiet_NaN(), 1.0f), 0.0f);  // sum not greater than 0
}

TEST(Plane2DTest, NormalizeDividesAndZeroesDegenerateInput) {
    float x = 3.0f;
    float y = 4.0f;
    float length = -1.0f;
    Normalize2D(&x, &y, &length);
    EXPECT_FLOAT_EQ(x, 0.6f);
    EXPECT_FLOAT_EQ(y, 0.8f);
    EXPECT_EQ(Bits(x), Bits(3.0f / 5.0f));  // a true division, not a reciprocal
    EXPECT_EQ(length, 5.0f);

    x = 0.0f;
    y = 0.0f;
    Normalize2D(&x, &y, &length);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(length, 0.0f);

    x = 1e-30f;  // the square underflows to zero
    y = 0.0f;
    Normalize2D(&x, &y, nullptr);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
}

TEST(Plane2DTest, DivideOrZeroOnlyDividesByPositiveValues) {
    float x = 6.0f;
    float y = -2.0f;
    DivideOrZero2(2.0f, &x, &y);
    EXPECT_EQ(x, 3.0f);
    EXPECT_EQ(y, -1.0f);
    DivideOrZero2(-2.0f, &x, &y);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
    x = 1.0f;
    y = 1.0f;
    DivideOrZero2(0.0f, &x, &y);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
}

}  // namespace
}  // namespace quill
