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

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(NearZeroTest, IsStrictAtFloatEpsilonAndNeverTrueForNaN) {
    EXPECT_TRUE(IsNearZero(-std::nextafter(FLT_EPSILON, 0.0f)));
    EXPECT_FALSE(IsNearZero(FLT_EPSILON));
    EXPECT_FALSE(IsNearZero(kNaN));
    EXPECT_FALSE(FloatNearlyEqual(0.0f, FLT_EPSILON));
    EXPECT_FALSE(FloatNearlyEqual(kNaN, kNaN));
}

TEST(Vec3Test, CrossMayWriteOneOfItsInputs) {
    Vec3 a{1.0f, 2.0f, 3.0f};
    Vec3::Cross(a, a, Vec3{4.0f, -5.0f, 6.0f});
    ExpectVecEq(a, 27.0f, 6.0f, -13.0f);
}

TEST(Vec3Test, LengthSquaredIsDoubleButLengthRoundsItToFloat) {
    // 1 + 2^-13 squared needs 27 bits: a float sum would lose the 2^-26 term.
    const Vec3 v{1.0f + 0x1p-13f, 0.0f, 0.0f};
    EXPECT_EQ(v.LengthSquared(), 1.0 + 0x1p-12 + 0x1p-26);
    const Vec3 big{0x1p100f, 0.0f, 0x1p100f};  // overflows as a float sum, not as a double
    EXPECT_EQ(big.LengthSquared(), 0x1p201);
    EXPECT_TRUE(std::isinf(big.Length()));
}

TEST(Vec3Test, NormalizeScalesByOneReciprocalAndZeroesTinyVectors) {
    float length = -1.0f;
    Vec3 v{5.0f, 0.0f, 12.0f};
    v.Normalize(&length);
    EXPECT_EQ(length, 13.0f);
    // 12 * (1 / 13) and 12 / 13 differ in the last bit, which tells the two roundings apart here and below.
    ASSERT_NE(Bits(12.0f * (1.0f / 13.0f)), Bits(12.0f / 13.0f));
    EXPECT_EQ(Bits(v.z), Bits(12.0f * (1.0f / 13.0f)));

    Vec3 tiny{1e-8f, 0.0f, 0.0f};
    tiny.Normalize(&length);
    ExpectVecEq(tiny, 0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(length, 1e-8f);
}

TEST(Plane2DTest, NormalizeDividesAndDegenerateInputGivesZero) {
    EXPECT_EQ(Length2D(3.0f, -4.0f), 5.0f);
    EXPECT_EQ(Length2D(kNaN, 1.0f), 0.0f);

    float x = 5.0f;
    float y = 12.0f;
    float length = -1.0f;
    Normalize2D(&x, &y, &length);
    EXPECT_EQ(Bits(y), Bits(12.0f / 13.0f));  // a true division, unlike Vec3::Normalize
    EXPECT_EQ(length, 13.0f);

    for (float degenerate : {0.0f, 1e-30f, kNaN}) {  // 1e-30 squared underflows to zero
        x = degenerate;
        y = 0.0f;
        Normalize2D(&x, &y, &length);
        EXPECT_EQ(x, 0.0f) << degenerate;
        EXPECT_EQ(y, 0.0f) << degenerate;
        EXPECT_EQ(length, 0.0f) << degenerate;
    }
}

TEST(Plane2DTest, DivideOrZeroDividesOnlyByPositiveValues) {
    for (float divisor : {2.0f, 0.0f, -2.0f, kNaN}) {
        float x = 6.0f;
        float y = -2.0f;
        DivideOrZero2(divisor, &x, &y);
        EXPECT_EQ(x, divisor > 0.0f ? 3.0f : 0.0f) << divisor;
        EXPECT_EQ(y, divisor > 0.0f ? -1.0f : 0.0f) << divisor;
    }
}

}  // namespace
}  // namespace quill
