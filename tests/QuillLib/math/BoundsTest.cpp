#include <gtest/gtest.h>

#include "QuillLib/math/AnimationClock.h"
#include "QuillLib/math/BoundingBox.h"
#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/ClipOutcode.h"
#include "QuillLib/math/VertexAccess.h"

namespace quill {
namespace {

VertexData Positions(std::initializer_list<Vec3> points) {
    VertexData vertices;
    vertices.SetLayout(VertexData::kPosition | VertexData::kNormal, static_cast<uint32_t>(points.size()));
    uint32_t v = 0;
    for (const Vec3& p : points) {
        WritePosition(vertices, v++, p);
    }
    return vertices;
}

TEST(BoundsTest, BoxesAndSpheresOfVerticesAndParts) {
    BoundingBox box;
    box.Extend({1, 2, 3});
    EXPECT_TRUE(box.min.Equals({1, 2, 3}) && box.max.Equals({1, 2, 3}));

    BoundingSphere empty;
    BoundingSphere::FromVertices(empty, Positions({}));
    EXPECT_TRUE(empty.centre.Equals({0, 0, 0}));
    EXPECT_EQ(empty.radius, 0.0f);

    const VertexData line = Positions({{0, 0, 0}, {4, 0, 0}, {100, 0, 0}});
    BoundingSphere whole;
    BoundingSphere::FromVertices(whole, line);
    EXPECT_EQ(whole.centre.x, 50.0f);
    EXPECT_EQ(whole.radius, 50.0f);
    // A part's keys past the vertices (from a damaged file) are ignored.
    BoundingSphere part;
    BoundingSphere::FromPartVertices(part, line, {0, 1, 7000});
    EXPECT_EQ(part.centre.x, 2.0f);
    EXPECT_EQ(part.radius, 2.0f);
    BoundingSphere::FromPartVertices(part, line, {});
    EXPECT_EQ(part.radius, 0.0f);
}

TEST(BoundsTest, ASphereMovesWithTheTransformAndGrowsByItsLargestScale) {
    BoundingSphere sphere{{1, 0, 0}, 2};
    Transform t;
    t.Set({0, 5, 0}, {1, -3, 2}, kIdentityQuaternion);
    sphere.Transform(t);
    EXPECT_TRUE(sphere.centre.Equals({1, 5, 0}));
    EXPECT_EQ(sphere.radius, 6.0f);
}

TEST(ClipOutcodeTest, FieldsPerAxisAndTriangleVisibility) {
    EXPECT_EQ(ClipOutcode(kIdentityMatrix, {1, 0, 0.5f}), kInsideOutcode);  // x exactly on W is inside
    EXPECT_EQ(ClipOutcode(kIdentityMatrix, {0, 0, 0}), kInsideOutcode);     // z = 0 is inside
    EXPECT_EQ(ClipOutcode(kIdentityMatrix, {-2, 3, 2}), 0x1F);
    EXPECT_TRUE(IsInsideCode(ClipOutcode(kIdentityMatrix, {0.5f, -1, 1})));
    EXPECT_FALSE(IsInsideCode(0x1A));
    EXPECT_FALSE(IsInsideCode(0)) << "a code not yet computed";
    EXPECT_TRUE(TriangleMayBeVisible(0x1A, kInsideOutcode, 0x1A));
    EXPECT_FALSE(TriangleMayBeVisible(0x1A, 0x1A, 0x1A));
    EXPECT_TRUE(TriangleMayBeVisible(0x1A, 0x3A, 0x1A));
    EXPECT_FALSE(TriangleMayBeVisible(0x29, 0x2D, 0x25)) << "all three in front of the near plane";
}

TEST(AnimationClockTest, PlaysLoopsAndEnds) {
    AnimationClock looping{0.0f, 1, 0.0f};
    EXPECT_EQ(looping.Advance(5.0f, 2.0f), AnimationClock::kPlaying);
    EXPECT_EQ(looping.time, 1.0f);
    AnimationClock once{0.0f, 0, 0.0f};
    EXPECT_EQ(once.Advance(5.0f, 2.0f), AnimationClock::kEnded);
    EXPECT_EQ(once.time, 5.0f);
    EXPECT_EQ(once.Advance(-4.0f, 2.0f), AnimationClock::kPlaying);
    EXPECT_EQ(once.time, 1.0f);
    AnimationClock late{3.0f, 0, 0.0f};
    EXPECT_EQ(late.Advance(1.0f, 2.0f), AnimationClock::kNotStarted);
    AnimationClock empty{0.0f, 1, 0.0f};
    EXPECT_EQ(empty.Advance(1.0f, 0.0f), AnimationClock::kPlaying);
    EXPECT_EQ(empty.time, 0.0f);
}

}  // namespace
}  // namespace quill
