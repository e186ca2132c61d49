#include <gtest/gtest.h>

#include <array>

#include "GraphicsItems.h"
#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/DecalHolder.h"
#include "QuillLib/resource/DecalProjector.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {
namespace {

// A node holding one triangle in the z = 0 plane.
SharedPtr<ModelObject> Ground(const Vec3& a, const Vec3& b, const Vec3& c) {
    SharedPtr<Mesh> mesh = quill::make_shared<Mesh>(u"ground");
    mesh->Allocate(VertexData::kPosition, 3);
    WritePosition(*mesh->vertices, 0, a);
    WritePosition(*mesh->vertices, 1, b);
    WritePosition(*mesh->vertices, 2, c);
    SharedPtr<IndexedMeshPart> part = quill::make_shared<IndexedMeshPart>(quill::make_shared<Material>(u"", 0, 0, 0, 0), 0);
    part->GetWritableIndices().indices = {0, 1, 2, 0, 1, 200};  // the second triangle names a vertex it lacks
    part->GetWritableIndices().RebuildKeys();
    mesh->AddPart(part);
    SharedPtr<ModelObject> node = quill::make_shared<ModelObject>(u"ground");
    node->Attach(0, mesh);
    return node;
}

class DecalTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A 64-pixel sprite scaled to a 2 x 2 rectangle around its centre, facing +z.
        sprite_.BuildMesh(resource_test::MakeTexture(resource_test::MakeBmp(64, 64, 0), 64, 64));
        sprite_.SetPivot({32, 32, 0});
        sprite_.SetScale({1.0f / 32, 1.0f / 32, 1});
    }

    uint32_t Vertices() const { return holder_.mesh->vertices->VertexCount(); }
    size_t Indices() const { return holder_.Part().GetIndices().indices.size(); }

    SpriteObject sprite_{u"shadow"};
    DecalHolder holder_;
};

TEST_F(DecalTest, ATriangleInsideTheBoxYieldsItselfOnAnEmptyDecal) {
    EXPECT_EQ(holder_.unprojected, 1);
    EXPECT_EQ(Vertices(), 0u);
    sprite_.ProjectAsDecal(holder_, {5, 5, 0}, 1.0f, *Ground({4.5f, 4.5f, 0}, {5.5f, 4.5f, 0}, {4.5f, 5.5f, 0}), 0);
    EXPECT_EQ(holder_.unprojected, 0);
    ASSERT_EQ(Vertices(), 3u);
    EXPECT_EQ(Indices(), 3u);
    // u runs along x and v along y of the sprite's rectangle: (4.5, 4.5) lies a quarter in from its corner.
    const VertexData& vertices = *holder_.mesh->vertices;
    const float* uv = vertices.Words().data() + vertices.TextureSetOffset(0) / 4;
    EXPECT_FLOAT_EQ(uv[0], 0.25f);
    EXPECT_FLOAT_EQ(uv[1], 0.25f);
    EXPECT_EQ(holder_.GetMaterial().GetSlotTexture(0), sprite_.GetTexture());
}

TEST_F(DecalTest, ALargeTriangleIsClippedToTheBoxAndTheDecalGrowsFromEmpty) {
    // The box [8.5, 10.5] x [8.5, 10.5] loses one corner to the triangle's long edge: a pentagon.
    sprite_.ProjectAsDecal(holder_, {9.5f, 9.5f, 0}, 1.0f, *Ground({0, 0, 0}, {20, 0, 0}, {0, 20, 0}), 0);
    EXPECT_EQ(Vertices(), 5u);
    EXPECT_EQ(Indices(), 9u);
    for (uint32_t v = 0; v < Vertices(); ++v) {
        const Vec3 p = ReadPosition(*holder_.mesh->vertices, v);
        EXPECT_LE(p.x + p.y, 20.0f + 1e-4f);
        EXPECT_GE(p.x, 8.5f - 1e-5f);
    }
    // Projected again elsewhere, the decal holds only the new pieces.
    sprite_.ProjectAsDecal(holder_, {5, 5, 0}, 1.0f, *Ground({0, 0, 0}, {20, 0, 0}, {0, 20, 0}), 0);
    EXPECT_EQ(Vertices(), 4u);
    EXPECT_EQ(Indices(), 6u);
}

TEST_F(DecalTest, TrianglesFacingAwayOrOutOfReachAddNothing) {
    sprite_.ProjectAsDecal(holder_, {5, 5, 0}, 1.0f, *Ground({4.5f, 4.5f, 0}, {4.5f, 5.5f, 0}, {5.5f, 4.5f, 0}), 0);
    EXPECT_EQ(Vertices(), 0u);
    sprite_.ProjectAsDecal(holder_, {5, 5, 0}, 1.0f, *Ground({4.5f, 4.5f, 3}, {5.5f, 4.5f, 3}, {4.5f, 5.5f, 3}), 1);
    EXPECT_EQ(Vertices(), 0u);
}

TEST(DecalClippingTest, PolygonsLoseWhatLiesOutsideEachPlane) {
    std::array<Vec3, kDecalClipPool> polygon{};
    polygon[0] = {0, 0, 0};
    polygon[1] = {4, 0, 0};
    polygon[2] = {0, 4, 0};
    const DecalPlane keepLeft[] = {DecalPlane{{-1, 0, 0}, 1}};  // x <= 1
    EXPECT_EQ(ClipPolygonByPlanes(polygon, 3, keepLeft), 4u);
    EXPECT_EQ(ClipPolygonByPlanes(polygon, 4, {}), 4u);
    const DecalPlane nothing[] = {DecalPlane{{0, 0, 1}, -5}};  // z >= 5
    EXPECT_EQ(ClipPolygonByPlanes(polygon, 4, nothing), 0u);
    EXPECT_TRUE(SphereIntersectsPlanes({0, 0, 3}, 2.5f, nothing));
    EXPECT_FALSE(SphereIntersectsPlanes({0, 0, 3}, 1.5f, nothing));
}

}  // namespace
}  // namespace quill
