#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/math/TransformFields.h"
#include "tests/QuillLib/math/MathExpect.h"

namespace quill {
namespace {

using test::ExpectVecEq;

std::vector<uint8_t> Contents(MemoryStream& stream) {
    return std::vector<uint8_t>(stream.Data(), stream.Data() + stream.Size());
}

TEST(TransformFieldsTest, WritesFortyLittleEndianBytes) {
    Transform t;
    t.Set(Vec3{1.0f, -2.0f, 0.5f}, Vec3{2.0f, 2.0f, 2.0f}, Quaternion{0.0f, 0.0f, 1.0f, 0.0f});
    t.matrix.m[0] = 77.0f;  // the matrix is not stored
    MemoryStream stream;
    ASSERT_TRUE(WriteTransform(stream, t));
    const std::vector<uint8_t> expected = {
        0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x3F,  // position
        0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x40,  // scale
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F,  // rotation x, y, z
        0x00, 0x00, 0x00, 0x00,                                                  // rotation w
    };
    EXPECT_EQ(Contents(stream), expected);
    EXPECT_EQ(expected.size(), kTransformFieldSize);
}

TEST(TransformFieldsTest, ReadRebuildsTheMatrix) {
    Transform written;
    written.Set(Vec3{3.0f, 4.0f, 5.0f}, Vec3{1.0f, 2.0f, 3.0f}, Quaternion{0.0f, 0.0f, 0.0f, 1.0f});
    MemoryStream stream;
    ASSERT_TRUE(WriteTransform(stream, written));
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));

    Transform read;
    ASSERT_TRUE(ReadTransform(stream, read));
    ExpectVecEq(read.position, 3, 4, 5);
    ExpectVecEq(read.scale, 1, 2, 3);
    EXPECT_TRUE(read.rotation.IsIdentity());
    EXPECT_EQ(read.matrix.m[5], 2.0f);
    EXPECT_EQ(read.matrix.m[14], 5.0f);
}

TEST(TransformFieldsTest, ShortReadLeavesTheTransformUnchanged) {
    Transform source;
    source.Set(Vec3{9, 9, 9}, Vec3{9, 9, 9}, Quaternion{0.5f, 0.5f, 0.5f, 0.5f});
    MemoryStream full;
    ASSERT_TRUE(WriteTransform(full, source));

    for (uint32_t available : {0u, 4u, 12u, 24u, 36u, 39u}) {
        MemoryStream truncated;
        ASSERT_EQ(truncated.Write(full.Data(), available), available);
        ASSERT_TRUE(truncated.Seek(Stream::kFromBegin, 0));
        Transform target;
        target.Set(Vec3{1, 2, 3}, Vec3{4, 5, 6}, kIdentityQuaternion);
        const Transform before = target;
        EXPECT_FALSE(ReadTransform(truncated, target)) << available << " bytes";
        EXPECT_EQ(std::memcmp(&before, &target, sizeof(Transform)), 0) << available << " bytes";
    }
}

TEST(TransformFieldsTest, VectorOverloadsMatchTheFloatArrayFields) {
    MemoryStream stream;
    ASSERT_TRUE(WriteVector3(stream, Vec3{1.0f, 2.0f, 3.0f}));
    ASSERT_TRUE(WriteVector4(stream, Quaternion{4.0f, 5.0f, 6.0f, 7.0f}));
    ASSERT_EQ(stream.Size(), 28u);
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    Vec3 v;
    Quaternion q;
    ASSERT_TRUE(ReadVector3(stream, v));
    ASSERT_TRUE(ReadVector4(stream, q));
    ExpectVecEq(v, 1, 2, 3);
    EXPECT_EQ(q.w, 7.0f);

    // A short vector keeps the components that arrived, as the float-array field does.
    MemoryStream shortStream;
    const float two[2] = {8.0f, 9.0f};
    ASSERT_EQ(shortStream.Write(two, sizeof(two)), sizeof(two));
    ASSERT_TRUE(shortStream.Seek(Stream::kFromBegin, 0));
    Vec3 partial{1.0f, 1.0f, 1.0f};
    EXPECT_FALSE(ReadVector3(shortStream, partial));
    ExpectVecEq(partial, 8, 9, 1);
}

}  // namespace
}  // namespace quill
