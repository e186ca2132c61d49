#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/math/BonePose.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/TransformFields.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::AxisAngle;
using test::ExpectMatrixNear;
using test::ExpectQuatNear;
using test::ExpectVecEq;
using test::ExpectVecNear;

Transform Placed(const Vec3& position, const Vec3& scale, const Quaternion& rotation) {
    Transform t;
    t.Set(position, scale, rotation);
    return t;
}

TEST(TransformTest, MatrixIsScaleThenRotationThenTranslation) {
    Transform t = Placed(Vec3{10, 20, 30}, Vec3{2, 3, 4}, AxisAngle(kHalfPi, Vec3{0, 0, 1}));
    Vec3 out;
    // (1, 0, 0) is scaled to (2, 0, 0) and turned to (0, 2, 0); (0, 1, 0) to (0, 3, 0) and then (-3, 0, 0).
    ExpectVecNear(TransformPoint(out, Vec3{1, 0, 0}, t.matrix), {10, 22, 30}, 1e-5f);
    ExpectVecNear(TransformPoint(out, Vec3{0, 1, 0}, t.matrix), {7, 20, 30}, 1e-5f);
    t.FromPosition(Vec3{4, 5, 6});  // unit scale, the rotation kept
    ExpectVecNear(TransformPoint(out, Vec3{1, 0, 0}, t.matrix), {4, 6, 6});
}

TEST(TransformTest, IsIdentityLooksAtThePartsWithinEpsilonNotAtTheMatrix) {
    Transform t;
    t.matrix.m[12] = 99.0f;
    t.position.z = 1e-8f;
    t.scale.x = 1.0f - 5e-8f;
    EXPECT_TRUE(t.IsIdentity());
    t.position.z = kFloatEpsilon;
    EXPECT_FALSE(t.IsIdentity());
    Transform flipped;
    flipped.rotation.SetNegativeW();  // the same rotation, but not the identity quaternion
    EXPECT_FALSE(flipped.IsIdentity());
}

TEST(TransformTest, CombinedPartsRebuildTheCombinedMatrix) {
    // Rotations about different axes, so that their order shows; the parent's scale is uniform, so the
    // combination is again scale, rotation and translation.
    Transform child = Placed(Vec3{1, 0, 0}, Vec3{1, 2, 1}, AxisAngle(0.3f, Vec3{1, 0, 0}));
    const Transform parent = Placed(Vec3{0, 0, 5}, Vec3{2, 2, 2}, AxisAngle(kHalfPi, Vec3{0, 0, 1}));
    child.Combine(parent);
    ExpectVecNear(child.position, {0, 2, 5});
    ExpectVecEq(child.scale, 2, 4, 2);
    Transform rebuilt = child;
    rebuilt.UpdateMatrix();
    ExpectMatrixNear(child.matrix, rebuilt.matrix, 4e-6f);
}

TEST(TransformTest, InterpolateBlendsThePartsAndRebuildsTheMatrix) {
    const Transform a = Placed(Vec3{0, 0, 0}, Vec3{1, 1, 1}, kIdentityQuaternion);
    const Transform b = Placed(Vec3{10, -4, 2}, Vec3{3, 1, 1}, AxisAngle(1.0f, Vec3{0, 0, 1}));
    Transform t;
    t.Interpolate(a, b, 0.25f);
    ExpectVecEq(t.position, 2.5f, -1, 0.5f);
    EXPECT_EQ(t.matrix.m[12], 2.5f);
    t.Interpolate(a, b, 0.5f);
    ExpectQuatNear(t.rotation, AxisAngle(0.5f, Vec3{0, 0, 1}));
    EXPECT_FLOAT_EQ(t.matrix.m[0], 2.0f * std::cos(0.5f));
}

TEST(BonePoseTest, InterpolateUsesSlerpAndMayWriteAnEnd) {
    const BonePose b{Vec3{4, 8, -4}, AxisAngle(1.2f, Vec3{0, 1, 0})};
    BonePose pose{Vec3{0, 0, 0}, AxisAngle(0.2f, Vec3{0, 1, 0})};
    BonePose::Interpolate(pose, pose, b, 0.25f);
    ExpectVecEq(pose.position, 1, 2, -1);
    ExpectQuatNear(pose.rotation, AxisAngle(0.45f, Vec3{0, 1, 0}));
}

TEST(TransformFieldsTest, FortyLittleEndianBytesWithoutTheMatrixWhichReadingRebuilds) {
    Transform t;
    t.Set(Vec3{1.0f, -2.0f, 0.5f}, Vec3{2.0f, 4.0f, 0.5f}, Quaternion{0.0f, 0.0f, 1.0f, 0.0f});
    const Matrix4 built = t.matrix;
    t.matrix.m[0] = 77.0f;
    MemoryStream stream;
    ASSERT_TRUE(WriteTransform(stream, t));
    const std::vector<uint8_t> expected = {
        0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x3F,  // position
        0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x80, 0x40, 0x00, 0x00, 0x00, 0x3F,  // scale
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F,  // rotation x, y, z
        0x00, 0x00, 0x00, 0x00,                                                  // rotation w
    };
    EXPECT_EQ(std::vector<uint8_t>(stream.Data(), stream.Data() + stream.Size()), expected);
    EXPECT_EQ(expected.size(), kTransformFieldSize);

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    Transform read;
    ASSERT_TRUE(ReadTransform(stream, read));
    ExpectMatrixNear(read.matrix, built, 0.0f);
}

TEST(TransformFieldsTest, ShortReadLeavesTheTransformUnchanged) {
    MemoryStream full;
    ASSERT_TRUE(WriteTransform(full, Placed(Vec3{9, 9, 9}, Vec3{9, 9, 9}, Quaternion{0.5f, 0.5f, 0.5f, 0.5f})));

    for (uint32_t available : {0u, 4u, 12u, 24u, 36u, 39u}) {
        MemoryStream truncated;
        ASSERT_EQ(truncated.Write(full.Data(), available), available);
        ASSERT_TRUE(truncated.Seek(Stream::kFromBegin, 0));
        Transform target = Placed(Vec3{1, 2, 3}, Vec3{4, 5, 6}, kIdentityQuaternion);
        const Transform before = target;
        EXPECT_FALSE(ReadTransform(truncated, target)) << available << " bytes";
        EXPECT_EQ(std::memcmp(&before, &target, sizeof(Transform)), 0) << available << " bytes";
    }
}

TEST(TransformFieldsTest, ShortVectorKeepsTheComponentsThatArrived) {
    MemoryStream stream;
    const float two[2] = {8.0f, 9.0f};
    ASSERT_EQ(stream.Write(two, sizeof(two)), sizeof(two));
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    Vec3 partial{1.0f, 1.0f, 1.0f};
    EXPECT_FALSE(ReadVector3(stream, partial));
    ExpectVecEq(partial, 8, 9, 1);
}

}  // namespace
}  // namespace quill
