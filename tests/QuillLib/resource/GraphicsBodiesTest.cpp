#include <gtest/gtest.h>

#include "GraphicsItems.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::Bytes;

// Loads hand-made bodies into the tables of a file that already holds a texture (0), a skeleton (0), a
// material (0), a mesh (0) and a model (0) to refer to.
class GraphicsBodiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        resource_test::Put(*file_->GetTextureTable(), resource_test::MakeTexture(resource_test::MakeBmp(2, 2, 0), 2, 2), 0);
        resource_test::Put(*file_->GetBoneTable(), resource_test::MakeArm(), 0);
        SharedPtr<Material> material = quill::make_shared<Material>(u"", 1, 0, 0, 0);
        resource_test::Put(*file_->GetMaterialTable(), material, 0);
        SharedPtr<Mesh> mesh = resource_test::Put(*file_->GetMeshTable(), resource_test::MakeQuadMesh(material), 0);
        SharedPtr<ModelObject> model = quill::make_shared<ModelObject>(u"");
        model->Attach(0, mesh);
        resource_test::Put(*file_->GetModelTable(), model, 0);
    }

    // Loads the body as an item of the kind under id 7 in a table of that version; true only when it loaded
    // and took every byte.
    bool LoadsWhole(ResourceKind kind, const Bytes& body, bool packed, uint32_t version = kCurrentFileVersion) {
        MemoryStream in = body.Stream();
        ResourceTable& table = *file_->GetTable(KindIndex(kind));
        table.SetVersion(version);
        table.RemoveItem(7, false);
        return table.LoadItem(in, in, 7, packed) && in.Tell() == in.Size();
    }

    std::unique_ptr<ResourceFile> file_ = resource_test::MakeFile(u"bodies");
};

TEST_F(GraphicsBodiesTest, MaterialFieldsAppearByVersion) {
    // One kind-2 stage without a texture.
    const Bytes head = Bytes().Text260("bump").U32(0x20).U8(1).U8(0).U8(1).U16(1).U32(kNone);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Material, head, false, 1));
    EXPECT_TRUE(LoadsWhole(ResourceKind::Material, Bytes(head).U8(0), false, 3));
    EXPECT_TRUE(LoadsWhole(ResourceKind::Material, Bytes(head).U8(0).F32(2).U8(1).U32(5), false, 4));
    EXPECT_EQ(file_->FindMaterial(7)->Stage(0).bump.scale, 2.0f);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Material, Bytes(head).U8(0).F32(2).U8(1).U32(5).U8(1).U32(1).U32(2).U32(3),
                           false, 15));
    EXPECT_EQ(file_->FindMaterial(7)->Stage(0).extra[2], 3u);
    // Packed bodies carry every field whatever the version; a stage count the mask does not build fails.
    EXPECT_TRUE(LoadsWhole(ResourceKind::Material, Bytes().U32(0x20).Raw({0, 0, 0}).U16(1).U32(kNone).U8(0).F32(1).U8(0).U32(0).U8(0), true, 1));
    EXPECT_FALSE(LoadsWhole(ResourceKind::Material, Bytes().U32(0x21).Raw({0, 0, 0}).U16(1).U32(kNone).U8(0), true));

    // A plain texture on the kind-2 stage becomes a bump map; a missing texture fails the load.
    EXPECT_EQ(file_->FindTexture(0)->settings.bumpMap, 0);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Material, Bytes().U32(0x20).Raw({0, 0, 0}).U16(1).U32(0).U8(0).F32(1).U8(0).U32(0).U8(0), true));
    EXPECT_EQ(file_->FindTexture(0)->settings.bumpMap, 1);
    EXPECT_FALSE(LoadsWhole(ResourceKind::Material, Bytes().U32(0x1).Raw({0, 0, 0}).U16(1).U32(3).U8(0).U8(0), true));
}

TEST_F(GraphicsBodiesTest, MeshPartsAndSkinsAsTheVersionStoresThem) {
    EXPECT_EQ(MeshTable::ConvertVersion1Format(0x0F), 0x203u);
    EXPECT_EQ(MeshTable::ConvertVersion1Format(0x05), 0x101u);

    // No skeleton: no skin; then the options, one plain part (5 bytes) and one indexed part.
    const Bytes vertices = Bytes().U32(kNone).U32(VertexData::kPosition).U32(3).Zeros(9).Zeros(4);
    const Bytes indexed = Bytes().U32(0).U8(1).U32(3);
    const Bytes indices = Bytes().U16(0).U16(1).U16(2);
    const Bytes words = Bytes().Zeros(4);
    const Bytes v14 = Bytes(vertices).U8(0).U16(2).U32(0).U8(0).Raw(indexed.Data()).Raw(indices.Data()).Raw(words.Data());
    EXPECT_TRUE(LoadsWhole(ResourceKind::Mesh, v14, true, 14));
    // Before version 14 an indexed part carries extra values, in packed bodies too.
    const Bytes v13 = Bytes(vertices).U8(0).U16(1).Raw(indexed.Data()).U32(2).Raw(indices.Data()).U16(9).U16(9).Raw(words.Data());
    EXPECT_TRUE(LoadsWhole(ResourceKind::Mesh, v13, true, 13));
    MemoryStream saved;
    ASSERT_TRUE(file_->GetMeshTable()->SaveItemBody(7, saved, true));
    EXPECT_EQ(saved.Size(), v13.Data().size() - 4) << "saved with an empty extra count";
    // An unpacked body before version 6 has no options.
    EXPECT_TRUE(LoadsWhole(ResourceKind::Mesh, Bytes().Text260("m").Raw(vertices.Data()).U16(0), false, 5));

    // Skinned: one influence list per vertex. A bone past the skeleton and an index past the vertices load
    // (with a warning) and are skipped where they are used.
    const Bytes skinned = Bytes().U32(0).U32(VertexData::kPosition).U32(1).Zeros(3).Zeros(4).U32(1).U16(1).U16(40).F32(1);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Mesh, Bytes(skinned).U8(0).U16(1).U32(0).U8(1).U32(3).U16(0).U16(0).U16(9).Zeros(4), true));
    // Counts far beyond the body fail without allocating them.
    EXPECT_FALSE(LoadsWhole(ResourceKind::Mesh, Bytes().U32(kNone).U32(VertexData::kPosition).U32(0x10000000).Zeros(4), true));
    EXPECT_FALSE(LoadsWhole(ResourceKind::Mesh, Bytes().U32(0).U32(1).U32(0).Zeros(4).U32(0xFFFFFFF0), true));
    EXPECT_FALSE(LoadsWhole(ResourceKind::Mesh, Bytes().U32(kNone).U32(0xF00).U32(0).Zeros(4).U8(0).U16(0), true))
        << "a layout of fifteen texture sets";
}

TEST_F(GraphicsBodiesTest, TexturesSkeletonsAndAnimations) {
    // An image entry of size 0 is 14 bytes and makes no image.
    const Bytes settings = Bytes().U16(0).U16(0).U32(0).U16(0).U16(0).U8(0);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Texture, Bytes(settings).U16(1).U16(3).U32(8).U32(8).U32(0), true));
    EXPECT_EQ(file_->FindTexture(7)->GetImageCount(), 0);
    EXPECT_FALSE(LoadsWhole(ResourceKind::Texture, Bytes(settings).U16(1).U16(0).U32(8).U32(8).U32(0xF0000000).U32(4).U32(0), true));

    EXPECT_TRUE(LoadsWhole(ResourceKind::Bone, Bytes().U16(0), true));
    EXPECT_FALSE(LoadsWhole(ResourceKind::Bone, Bytes().U16(1).Text260("a").U32(1).Zeros(3), true)) << "parent past the bones";

    const Bytes pose = Bytes().Zeros(3).Zeros(3).F32(1);
    EXPECT_TRUE(LoadsWhole(ResourceKind::BoneAnimation,
                           Bytes().U32(0).U32(2).F32(0).U16(1).Raw(pose.Data()).F32(0).U16(1).Raw(pose.Data()), true));
    EXPECT_FALSE(LoadsWhole(ResourceKind::BoneAnimation, Bytes().U32(0).U32(2).F32(0).U16(1).Raw(pose.Data()).F32(1).U16(0), true))
        << "another pose count";
    EXPECT_FALSE(LoadsWhole(ResourceKind::BoneAnimation, Bytes().U32(5).U32(0), true)) << "no such skeleton";
    EXPECT_TRUE(LoadsWhole(ResourceKind::VertexAnimation, Bytes(), true));
    EXPECT_TRUE(LoadsWhole(ResourceKind::ModelAnimation, Bytes().Text260("walk"), false));
}

// A model node record: no skeleton, the given attachments and children.
Bytes Node(const Bytes& attachments, uint16_t attachmentCount, const Bytes& children, uint16_t childCount) {
    return Bytes().U32(kNone).U32(0).U16(0).U16(0).F32(1).U16(attachmentCount).Raw(attachments.Data()).Zeros(4)
        .Zeros(3).F32(1).F32(1).F32(1).Zeros(3).F32(1).U16(childCount).Raw(children.Data());
}

TEST_F(GraphicsBodiesTest, ModelTreesEndByVersionAndRefuseDamage) {
    const Bytes leaf = Bytes(Node(Bytes(), 0, Bytes(), 0)).U8(0).U32(0);
    const Bytes root = Node(Bytes().U16(0).U32(0).U16(3).U32(kNone), 2, leaf, 1);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Model, Bytes(root).U8(1).U16(0).U16(2).Zeros(3).F32(1).Zeros(2).U32(9), true));
    const SharedPtr<ModelObject> model = file_->FindModel(7);
    EXPECT_EQ(model->attachments.size(), 2u);
    EXPECT_EQ(model->attachments.at(3), nullptr);
    EXPECT_EQ(model->Children()[0]->textureSlot, 2) << "the slot choice reaches the subtree";
    EXPECT_EQ(model->trailer, 9u);
    EXPECT_FALSE(LoadsWhole(ResourceKind::Model, Bytes(root).U8(1).U16(1).U16(2).Zeros(6).U32(9), true)) << "camera mode";

    // An unpacked node of version 4 ends after its children.
    const Bytes old = Bytes().Text260("old").Raw(Node(Bytes(), 0, Bytes(), 0).Data());
    EXPECT_TRUE(LoadsWhole(ResourceKind::Model, old, false, 4));

    // A tree nested past any real model fails instead of exhausting the stack.
    Bytes deep = Bytes(Node(Bytes(), 0, Bytes(), 0)).U8(0).U32(0);
    for (int depth = 0; depth < 200; ++depth) {
        deep = Bytes(Node(Bytes(), 0, deep, 1)).U8(0).U32(0);
    }
    EXPECT_FALSE(LoadsWhole(ResourceKind::Model, deep, true));
}

TEST_F(GraphicsBodiesTest, SpritesNeedATextureAndGainSizeFromVersion9) {
    const Bytes look = Bytes().U16(1).F32(1).Zeros(3).U32(kNone).U32(kNone).U32(kNone).U32(kNone);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Sprite, Bytes().Text260("s").U32(0).Raw(look.Data()).U8(0).U8(0), false, 8));
    EXPECT_EQ(file_->FindSprite(7)->width, 0.0f);
    EXPECT_TRUE(LoadsWhole(ResourceKind::Sprite, Bytes().U32(0).Raw(look.Data()).F32(5).F32(6).U8(0).U8(1).U16(0).U32(4).F32(0.1f), true));
    EXPECT_EQ(file_->FindSprite(7)->width, 5.0f);
    EXPECT_EQ(file_->FindSprite(7)->player->frameCount, 4u);
    EXPECT_FALSE(LoadsWhole(ResourceKind::Sprite, Bytes().U32(kNone).Raw(look.Data()).Zeros(2).U8(0).U8(0), true));
}

// A camera entry of a packed body, stored under id.
Bytes CameraEntry(uint32_t id, float eyeZ) {
    return Bytes().U32(id).U32(0).Zeros(2).F32(eyeZ).Zeros(3).Zeros(1).F32(1).Zeros(1).F32(1).Zeros(2).Zeros(2)
        .F32(0.785f).F32(0.75f).F32(1).F32(1000).U8(0).Zeros(4).U8(0);
}

TEST_F(GraphicsBodiesTest, SceneDescriptionsNumberTheirEntries) {
    const Bytes scene = Bytes().Zeros(4).U16(2).U8(0).Zeros(4).Zeros(3).Zeros(3);
    const Bytes light = Bytes().U8(0).Zeros(3).F32(1).U8(1).U8(0).Zeros(3);
    // Two cameras stored under id 0: the second updates the first. Light ids come from the collection.
    const Bytes body = Bytes(scene).U32(2).Raw(CameraEntry(0, -5).Data()).Raw(CameraEntry(0, -9).Data())
        .U32(2).U32(40).U32(0).Raw(light.Data()).U32(41).U32(0).Raw(light.Data()).U32(0).U32(0).U32(0);
    EXPECT_TRUE(LoadsWhole(ResourceKind::SceneInfo, body, true));
    const SharedPtr<SceneInfo> loaded = file_->FindSceneInfo(7);
    EXPECT_EQ(loaded->cameras.Entries().size(), 1u);
    EXPECT_EQ(loaded->cameras.Find(0)->Eye().z, -9.0f);
    EXPECT_EQ(loaded->directLights.Find(1)->record.diffuseOn, 1);

    // An unpacked body of version 4 ends after its models.
    const Bytes old = Bytes().Text260("old").Zeros(4).U16(2).U8(0).Zeros(4).Zeros(3).U32(0).U32(0).U32(0).U32(0);
    EXPECT_TRUE(LoadsWhole(ResourceKind::SceneInfo, old, false, 4));
    // A model the file does not hold fails the load.
    const Bytes model = Bytes().U32(0).U32(6).Zeros(3).F32(1).F32(1).F32(1).Zeros(3).F32(1).U16(0);
    EXPECT_FALSE(LoadsWhole(ResourceKind::SceneInfo, Bytes(scene).U32(0).U32(0).U32(0).U32(1).Raw(model.Data()).U32(0), true));
}

}  // namespace
}  // namespace quill
