#include <gtest/gtest.h>

#include "QuillLib/math/BonePose.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Transform.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::ExpectMatrixNear;
using test::ExpectQuatNear;
using test::ExpectVecEq;
using test::ExpectVecNear;

Quaternion AxisAngle(float angle, const Vec3& axis) {
    Quaternion q;
    q.FromAxisAngle(angle, axis);
    return q;
}

Transform Placed(const Vec3& position, const Vec3& scale, const Quaternion& rotation) {
    Transform t;
    t.Set(position, scale, rotation);
    return t;
}

TEST(TransformTest, UpdateMatrixIsScaleThenRotationThenTranslation) {
    const Transform t = Placed(Vec3{10, 20, 30}, Vec3{2, 3, 4}, AxisAngle(kHalfPi, Vec3{0, 0, 1}));
    Vec3 out;
    // (1, 0, 0) scaled to (2, 0, 0), turned to (0, 2, 0), moved.
    ExpectVecNear(TransformPoint(out, Vec3{1, 0, 0}, t.matrix), 10, 22, 30, 1e-5f);
    ExpectVecNear(TransformPoint(out, Vec3{0, 1, 0}, t.matrix), 7, 20, 30, 1e-5f);
    EXPECT_EQ(t.matrix.m[12], 10.0f);
    EXPECT_EQ(t.matrix.m[15], 1.0f);

    Transform moved;
    moved.SetPosition(Vec3{1, 2, 3});
    EXPECT_EQ(moved.matrix.m[13], 2.0f);
    moved.SetRotation(AxisAngle(kHalfPi, Vec3{0, 0, 1}));
    ExpectVecNear(TransformPoint(out, Vec3{1, 0, 0}, moved.matrix), 1, 3, 3);

    Transform fromPosition = Placed(Vec3{}, Vec3{5, 5, 5}, kIdentityQuaternion);
    fromPosition.FromPosition(Vec3{4, 5, 6});
    ExpectVecEq(fromPosition.scale, 1, 1, 1);
    ExpectVecEq(TransformPoint(out, Vec3{1, 1, 1}, fromPosition.matrix), 5, 6, 7);
}

TEST(TransformTest, IsIdentityLooksAtThePartsNotTheMatrix) {
    Transform stale;
    stale.matrix.m[12] = 99.0f;
    EXPECT_TRUE(stale.IsIdentity());

    Transform nearly;
    nearly.position = Vec3{1e-8f, -1e-8f, 1e-8f};
    nearly.scale = Vec3{1.0f + 5e-8f, 1.0f, 1.0f - 5e-8f};
    EXPECT_TRUE(nearly.IsIdentity());
    nearly.position.z = kFloatEpsilon;
    EXPECT_FALSE(nearly.IsIdentity());

    Transform flipped;
    flipped.rotation.SetNegativeW();
    EXPECT_FALSE(flipped.IsIdentity());

    Transform scaled;
    scaled.scale.y = 1.0f + 2 * kFloatEpsilon;
    EXPECT_FALSE(scaled.IsIdentity());
}

TEST(TransformTest, CombinePlacesAChildInItsParent) {
    Transform child = Placed(Vec3{1, 0, 0}, Vec3{1, 1, 1}, AxisAngle(0.3f, Vec3{0, 0, 1}));
    const Transform before = child;
    child.Combine(Transform{});
    ExpectVecEq(child.position, 1, 0, 0);
    ExpectQuatNear(child.rotation, before.rotation.x, before.rotation.y, before.rotation.z, before.rotation.w, 0.0f);
    ExpectMatrixNear(child.matrix, before.matrix, 0.0f);

    const Transform parent = Placed(Vec3{0, 0, 5}, Vec3{2, 2, 2}, AxisAngle(kHalfPi, Vec3{0, 0, 1}));
    child.Combine(parent);
    ExpectVecNear(child.position, 0, 2, 5);
    ExpectVecEq(child.scale, 2, 2, 2);
    const Quaternion expectedRotation = AxisAngle(kHalfPi + 0.3f, Vec3{0, 0, 1});
    ExpectQuatNear(child.rotation, expectedRotation.x, expectedRotation.y, expectedRotation.z, expectedRotation.w);
    // The combined matrix equals the matrix rebuilt from the combined parts.
    Transform rebuilt = child;
    rebuilt.UpdateMatrix();
    ExpectMatrixNear(child.matrix, rebuilt.matrix, 2e-6f);
}

TEST(TransformTest, InterpolateBlendsPartsAndRebuildsTheMatrix) {
    const Transform a = Placed(Vec3{0, 0, 0}, Vec3{1, 1, 1}, AxisAngle(0.0f, Vec3{0, 0, 1}));
    const Transform b = Placed(Vec3{10, -4, 2}, Vec3{3, 1, 1}, AxisAngle(1.0f, Vec3{0, 0, 1}));
    Transform t;
    t.Interpolate(a, b, 0.5f);
    ExpectVecEq(t.position, 5, -2, 1);
    ExpectVecEq(t.scale, 2, 1, 1);
    const Quaternion half = AxisAngle(0.5f, Vec3{0, 0, 1});
    ExpectQuatNear(t.rotation, half.x, half.y, half.z, half.w);
    EXPECT_EQ(t.matrix.m[12], 5.0f);
    EXPECT_FLOAT_EQ(t.matrix.m[0], 2.0f * std::cos(0.5f));
}

TEST(BonePoseTest, InterpolateUsesSlerp) {
    const BonePose a{Vec3{0, 0, 0}, AxisAngle(0.2f, Vec3{0, 1, 0})};
    const BonePose b{Vec3{4, 8, -4}, AxisAngle(1.2f, Vec3{0, 1, 0})};
    BonePose out;
    BonePose::Interpolate(out, a, b, 0.25f);
    ExpectVecEq(out.position, 1, 2, -1);
    const Quaternion expected = AxisAngle(0.45f, Vec3{0, 1, 0});
    ExpectQuatNear(out.rotation, expected.x, expected.y, expected.z, expected.w);

    BonePose aliased = a;
    BonePose::Interpolate(aliased, aliased, b, 1.0f);
    ExpectVecEq(aliased.position, 4, 8, -4);
    ExpectQuatNear(aliased.rotation, b.rotation.x, b.rotation.y, b.rotation.z, b.rotation.w);
}

}  // namespace
}  // namespace quill
