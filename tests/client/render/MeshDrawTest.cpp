// The device draws resource objects: mesh parts with their material's textures at their stages, from the
// static buffers when a batch uploaded them and through the dynamic ones otherwise; object trees with their
// draw state, stopping at the first failure; the device's static batches, uploaded again after the pool let
// their buffers go; and texture items made for the device.
#include <gtest/gtest.h>

#include "QuillLib/render/SceneView.h"
#include "QuillLib/resource/SkinnedMesh.h"
#include "tests/support/gfx/RecordingDeviceFixture.h"
#include "tests/support/gfx/SceneModels.h"

namespace kestrovan {
namespace {

using quill::SharedPtr;
using namespace kvtest;

class NoScene : public quill::SceneView {
public:
    bool Render(quill::RenderDevice& /*device*/, float /*time*/) override { return true; }
};

class MeshDrawTest : public kvtest::RecordingDeviceFixture {
protected:
    void SetUp() override {
        CreateDevice();
        ASSERT_TRUE(device->Begin3D(SceneEnvironment{}));
        setup->log.Clear();
    }

    quill::ModelObject& PlaceQuad(SharedPtr<quill::Material> material) {
        return Place(info, MakeFrame(MakeQuadMesh(std::move(material))), quill::Vec3{});
    }

    quill::SceneInfo info{u"", {1, 1, 1, 1}};
};

TEST_F(MeshDrawTest, APartBindsItsTexturesAtTheirStagesAndDrawsThroughTheDynamicBuffers) {
    SharedPtr<quill::Texture> base = MakeSolidTexture(device.get(), 4, 4, 0xFFFFFFFF);
    SharedPtr<quill::Texture> lightMap = MakeSolidTexture(device.get(), 4, 4, 0xFF808080);
    quill::ModelObject& object = PlaceQuad(MakeMaterial(0x1 | 0x10, 0, 0, 1, {{0, base}, {1, lightMap}}));
    quill::MeshPart& part = *object.GetAttachment()->parts.front();
    setup->log.Clear();
    ASSERT_TRUE(device->DrawMeshPart(part, &object.pose.world.matrix, false));
    EXPECT_TRUE(setup->log.Contains("SetTexture(0, texture)"));
    EXPECT_TRUE(setup->log.Contains("SetTexture(1, texture)"));
    EXPECT_TRUE(setup->log.Contains("VertexBuffer.Lock(0, 256, 8192)")) << "four vertices of 64 bytes, a discard lock";
    EXPECT_TRUE(setup->log.Contains("DrawIndexedPrimitive(4, 0, 0, 4, 0, 2)")) << setup->log.Text();

    // A material without a texture in a slot it names clears that stage.
    quill::ModelObject& bare = PlaceQuad(MakeMaterial(0x1, 0, 0, 1));
    ASSERT_TRUE(device->DrawModelObject(bare, nullptr));
    EXPECT_TRUE(setup->log.Contains("SetTexture(0, null)"));
}

TEST_F(MeshDrawTest, ObjectTreesStopAtTheFirstFailureAndRestoreTheMirrorFlag) {
    SharedPtr<quill::Material> material = MakeMaterial(0, 0, 0, 0);
    SharedPtr<quill::ModelObject> root = MakeFrame(MakeQuadMesh(material));
    SharedPtr<quill::ModelObject> child = MakeFrame(MakeQuadMesh(material));
    child->AddChild(MakeFrame(MakeQuadMesh(material)));
    root->AddChild(child);
    quill::Transform placement;
    placement.UpdateMatrix();
    quill::PlacedModelObject tree(*root, placement);
    tree.pose.mirror = 1;

    ASSERT_TRUE(device->DrawObjectTree(tree));
    EXPECT_EQ(setup->log.Count("DrawIndexedPrimitive("), 3u);
    // The mirrored root is drawn with the cull order swapped (clockwise, device value 2) and put back after.
    const std::vector<std::string> lines = setup->log.Lines();
    const auto firstDraw = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("DrawIndexed", 0) == 0; });
    EXPECT_NE(std::find(lines.begin(), firstDraw, "SetRenderState(22, 2)"), firstDraw);
    EXPECT_EQ(device->mirrorFlag, 0);

    tree.Children().front()->blendMode = 2;  // a blend mode no object is drawn with
    setup->log.Clear();
    EXPECT_FALSE(device->DrawObjectTree(tree));
    EXPECT_EQ(setup->log.Count("DrawIndexedPrimitive("), 1u) << "the failing child and its child are not drawn";
    EXPECT_EQ(device->mirrorFlag, 0);
}

TEST_F(MeshDrawTest, TheDevicesBatchesAreUploadedAgainAfterThePoolLetTheirBuffersGo) {
    quill::ModelObject& table = PlaceQuad(MakeMaterial(0, 0, 0, 0));
    quill::StaticBatcher& batcher = *device->GetStaticGeometryBatcher();
    ASSERT_TRUE(batcher.AddObjectTree(table));
    bool reallocated = false;
    ASSERT_TRUE(batcher.PrepareBuffers(reallocated));
    EXPECT_TRUE(reallocated);
    ASSERT_TRUE(batcher.UploadObjectTree(table));
    setup->log.Clear();
    ASSERT_TRUE(device->DrawObjectTree(table));
    EXPECT_EQ(setup->log.Count("VertexBuffer.Lock("), 0u) << "drawn from the static buffer";
    EXPECT_TRUE(setup->log.Contains("DrawIndexedPrimitive(4, 0, 0, 4, 0, 2)"));

    // A frame without a 3D scene lets every buffer go; meanwhile the dynamic buffer takes the first handle.
    quill::BufferPool& pool = device->GetBufferPool();
    pool.ReleaseAll();
    NoScene noScene;
    ASSERT_TRUE(device->RenderScene(noScene, 0));
    ASSERT_TRUE(pool.EnsureDynamicVertexBuffer(0));
    const quill::StaticPlacements::Placement* placement = device->staticPlacements.Find(table.GetAttachment()->vertices.get());
    ASSERT_NE(placement, nullptr);
    ASSERT_TRUE(placement->IsUploaded());
    ASSERT_NE(pool.GetVertexBuffer(placement->buffer), nullptr);
    EXPECT_FALSE(pool.GetVertexBuffer(placement->buffer)->IsDynamic());
    EXPECT_EQ(pool.GetVertexBuffer(placement->buffer)->GetWriteOffset(), 4u * 64);
    setup->log.Clear();
    ASSERT_TRUE(device->DrawObjectTree(table));
    EXPECT_EQ(setup->log.Count("VertexBuffer.Lock("), 0u);
    EXPECT_TRUE(setup->log.Contains("DrawIndexedPrimitive(4, 0, 0, 4, 0, 2)")) << setup->log.Text();
}

TEST_F(MeshDrawTest, BatchesCountSharedGeometryOnceAndSplitByCapacity) {
    quill::StaticBatcher& batcher = *device->GetStaticGeometryBatcher();
    SharedPtr<quill::Material> material = MakeMaterial(0, 0, 0, 0);
    // 46,875 vertices of 64 bytes: 3,000,000 bytes, more than one batch holds; it gets a batch of its size.
    quill::ModelObject& big = Place(info, MakeFrame(MakeStripMesh(kTexturedLayout, 46875, material)), {});
    ASSERT_TRUE(batcher.AddObjectTree(big));
    ASSERT_EQ(batcher.Batches().size(), 1u);
    EXPECT_EQ(batcher.Batches()[0]->GetCapacity(), 3000000u);

    // Two placements of one mesh share its index block but not its vertices; two parts of one mesh share
    // the vertices.
    SharedPtr<quill::Mesh> twoParts = MakeQuadMesh(material);
    twoParts->AddPart(MakeIndexedPart(material, {0, 1, 3}));
    SharedPtr<quill::ModelObject> frame = MakeFrame(twoParts);
    quill::ModelObject& first = Place(info, frame, {});
    quill::ModelObject& second = Place(info, frame, {});
    ASSERT_TRUE(batcher.AddObjectTree(first));
    ASSERT_TRUE(batcher.AddObjectTree(second));
    ASSERT_EQ(batcher.Batches().size(), 2u);
    const quill::StaticBatch& small = *batcher.Batches()[1];
    EXPECT_EQ(small.GetVertexBytes(), 2u * 4 * 64);
    EXPECT_EQ(small.GetIndexCount(), 6u + 3u);
    EXPECT_FALSE(batcher.AddPart(*first.GetAttachment()->parts.front())) << "a part is batched once";

    ASSERT_TRUE(batcher.RemovePart(*first.GetAttachment()->parts.front()));
    EXPECT_EQ(small.GetVertexBytes(), 2u * 4 * 64) << "the other part still uses the vertices";
    EXPECT_FALSE(batcher.RemovePart(*first.GetAttachment()->parts.front()));
    ASSERT_TRUE(batcher.RemoveObjectTree(big));
    EXPECT_EQ(batcher.Batches().size(), 1u) << "an emptied batch goes";

    // Skinned geometry changes every frame and stays out without stopping the walk.
    quill::SkinnedMesh skinned(u"", nullptr);
    skinned.Allocate(kTexturedLayout, 3);
    skinned.AddPart(quill::make_shared<quill::MeshPart>(material));
    SharedPtr<quill::Mesh> skinnedInstance = skinned.CreateInstance(quill::Transform{}, false, false);
    quill::ModelObject holder;
    holder.Attach(0, skinnedInstance);
    EXPECT_TRUE(batcher.AddObjectTree(holder));
    EXPECT_EQ(batcher.BatchOf(*skinnedInstance->parts.front()), nullptr);
    EXPECT_TRUE(batcher.RemoveObjectTree(holder));
}

TEST_F(MeshDrawTest, TextureItemsAreMadeForTheDevice) {
    quill::TextureSettings settings;
    settings.addressU = 2;
    SharedPtr<quill::Texture> texture = device->CreateTexture(u"cloth", settings);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->name, u"cloth");
    EXPECT_EQ(texture->GetDevice(), device.get());
    EXPECT_EQ(texture->settings.addressU, 2);
    texture->SetImageWidth(8, 0);
    texture->SetImageHeight(8, 0);
    ASSERT_TRUE(texture->Acquire(false));
    EXPECT_TRUE(setup->log.Contains("CreateTexture(8, 8, 1, 1024, 21, 1)")) << setup->log.Text();
    EXPECT_EQ(device->GetTextureCount(), 1u);
    texture->Release(false);
    EXPECT_EQ(device->GetTextureCount(), 0u);
}

}  // namespace
}  // namespace kestrovan
