#include <gtest/gtest.h>

#include <algorithm>

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/Mesh.h"

namespace quill {
namespace {

// A box of half-size 1 around the origin: 8 corners and 12 triangles in one indexed part.
SharedPtr<Mesh> Box() {
    SharedPtr<Mesh> box = quill::make_shared<Mesh>(u"box");
    box->Allocate(VertexData::kPosition, 8);
    for (uint32_t v = 0; v < 8; ++v) {
        WritePosition(*box->vertices, v, Vec3{v & 1 ? 1.0f : -1.0f, v & 2 ? 1.0f : -1.0f, v & 4 ? 1.0f : -1.0f});
    }
    SharedPtr<IndexedMeshPart> part = quill::make_shared<IndexedMeshPart>(quill::make_shared<Material>(u"", 0, 0, 0, 0), 0);
    part->GetWritableIndices().indices = {0, 1, 2, 2, 1, 3, 4, 6, 5, 5, 6, 7, 0, 4, 1, 1, 4, 5,
                                          2, 3, 6, 6, 3, 7, 0, 2, 4, 4, 2, 6, 1, 5, 3, 3, 5, 7};
    part->GetWritableIndices().RebuildKeys();
    box->AddPart(part);
    box->RefreshBounds();
    return box;
}

// A camera at z = -10 looking along +z with a near plane 1 and a far plane 100 away.
Camera View() {
    Camera camera(u"view");
    camera.SetFrame(Vec3{0, 0, -10}, Vec3{0, 0, 0}, Vec3{0, 1, 0}, Vec3{1, 0, 0});
    camera.SetProjection(0, 0, kPi / 4, 0.75f, 1, 100);
    return camera;
}

struct Classified {
    int32_t mesh;
    size_t visibleTriangles;
};

// Places the box at centre, classifies it and culls its triangles.
Classified Cull(const Camera& camera, const Vec3& centre) {
    Transform place;
    place.SetPosition(centre);
    SharedPtr<Mesh> instance = Box()->CreateInstance(place, true, false);
    instance->UpdateBounds(Transform{}, true);
    instance->Submit(camera, kIdentityMatrix, 0);
    MeshPart& part = *instance->parts.front();
    part.CullTriangles(kIdentityMatrix, camera);
    const std::vector<bool>& bits = part.instanceData->mayBeVisible;
    return {instance->renderData->cullResult, static_cast<size_t>(std::count(bits.begin(), bits.end(), true))};
}

TEST(CullingTest, BoxesInsideOutsideAndAcrossEachPlane) {
    const Camera camera = View();
    // At depth 20 the side planes lie 8.28 to either side and 6.21 above and below the axis.
    const struct {
        const char* plane;
        Vec3 outside;
        Vec3 across;
    } planes[] = {
        {"right", {15, 0, 10}, {8.28f, 0, 10}},   {"left", {-15, 0, 10}, {-8.28f, 0, 10}},
        {"top", {0, 12, 10}, {0, 6.21f, 10}},     {"bottom", {0, -12, 10}, {0, -6.21f, 10}},
        {"near", {0, 0, -15}, {0, 0, -9}},         {"far", {0, 0, 95}, {0, 0, 90}},
    };
    const Classified inside = Cull(camera, {0, 0, 10});
    EXPECT_EQ(inside.mesh, MeshRenderRecord::kInside);
    EXPECT_EQ(inside.visibleTriangles, 12u);
    for (const auto& plane : planes) {
        SCOPED_TRACE(plane.plane);
        const Classified out = Cull(camera, plane.outside);
        EXPECT_EQ(out.mesh, MeshRenderRecord::kOutside);
        EXPECT_EQ(out.visibleTriangles, 0u);
        const Classified across = Cull(camera, plane.across);
        EXPECT_EQ(across.mesh, MeshRenderRecord::kCrossing);
        EXPECT_GT(across.visibleTriangles, 0u);
    }
}

TEST(CullingTest, AMeshIsClassifiedOncePerPassAndItsPartsFollow) {
    const Camera camera = View();
    SharedPtr<Mesh> instance = Box()->CreateInstance(Transform{}, false, false);
    instance->Submit(camera, kIdentityMatrix, 3);  // mode 3: inside without a test, even behind the camera
    EXPECT_EQ(instance->renderData->cullResult, MeshRenderRecord::kInside);
    EXPECT_EQ(instance->parts.front()->GetCullResult(), MeshRenderRecord::kInside);
    instance->Submit(camera, kIdentityMatrix, 0);
    EXPECT_EQ(instance->renderData->cullResult, MeshRenderRecord::kInside) << "classified already in this pass";
    instance->ResetDeviceData();
    EXPECT_EQ(instance->renderData->cullResult, 0);
    EXPECT_EQ(instance->parts.front()->GetCullResult(), 0);
}

TEST(CullingTest, IndicesPastTheVerticesAreNeverRead) {
    const Camera camera = View();
    SharedPtr<Mesh> box = Box();
    auto& part = static_cast<IndexedMeshPart&>(*box->parts.front());
    part.GetWritableIndices().indices.insert(part.GetWritableIndices().indices.end(), {0, 1, 60000});
    part.GetWritableIndices().RebuildKeys();
    SharedPtr<Mesh> instance = box->CreateInstance(Transform{}, false, false);
    instance->parts.front()->CullTriangles(kIdentityMatrix, camera);
    EXPECT_EQ(instance->parts.front()->instanceData->mayBeVisible.size(), 13u);
    EXPECT_TRUE(instance->parts.front()->instanceData->mayBeVisible.back());
    instance->RefreshBounds();
    EXPECT_NEAR(static_cast<const IndexedMeshPart&>(*instance->parts.front()).localSphere.radius, 1.7320508f, 1e-5f);
}

TEST(CullingTest, InstancesCopyVerticesAndShareIndicesUntilOneWrites) {
    SharedPtr<Mesh> box = Box();
    EXPECT_EQ(quill::make_shared<Mesh>()->bound.radius, -1.0f);
    SharedPtr<Mesh> a = box->CreateInstance(Transform{}, false, false);
    SharedPtr<Mesh> b = box->CreateInstance(Transform{}, false, false);
    WritePosition(*a->vertices, 0, {5, 5, 5});
    EXPECT_EQ(ReadPosition(*b->vertices, 0).x, -1.0f);
    EXPECT_EQ(ReadPosition(*box->vertices, 0).x, -1.0f);
    auto& partA = static_cast<IndexedMeshPart&>(*a->parts.front());
    auto& partB = static_cast<IndexedMeshPart&>(*b->parts.front());
    EXPECT_EQ(partA.indices, partB.indices);
    partA.GetWritableIndices().indices[0] = 7;
    EXPECT_NE(partA.indices, partB.indices);
    EXPECT_EQ(partB.GetIndices().indices[0], 0);
    IndexBlock* own = partA.indices.get();
    partA.GetWritableIndices().indices[1] = 7;
    EXPECT_EQ(partA.indices.get(), own) << "a block held once is written in place";
}

}  // namespace
}  // namespace quill
