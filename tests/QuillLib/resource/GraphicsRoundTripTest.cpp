#include <gtest/gtest.h>

#include "GraphicsItems.h"
#include "ResourceTestSupport.h"

namespace quill {
namespace {

using resource_test::AfterIndex;

void ExpectSameVector(const Vec3& a, const Vec3& b) {
    EXPECT_TRUE(a.Equals(b)) << a.x << "," << a.y << "," << a.z << " vs " << b.x << "," << b.y << "," << b.z;
}

void ExpectSameTexture(Texture& a, Texture& b) {
    EXPECT_EQ(a.settings.addressU, b.settings.addressU);
    EXPECT_EQ(a.settings.colorKey, b.settings.colorKey);
    EXPECT_EQ(a.settings.keepCompressed, b.settings.keepCompressed);
    EXPECT_EQ(a.settings.bumpMap, b.settings.bumpMap);
    ASSERT_EQ(a.GetImageCount(), b.GetImageCount());
    for (uint16_t i = 0; i < a.GetImageCount(); ++i) {
        const uint16_t key = a.GetImageKeyAt(i);
        EXPECT_EQ(key, b.GetImageKeyAt(i));
        EXPECT_EQ(a.GetImageWidth(key), b.GetImageWidth(key));
        EXPECT_EQ(a.GetImageHeight(key), b.GetImageHeight(key));
        EXPECT_EQ(a.GetImage(key)->uncompressedSize, b.GetImage(key)->uncompressedSize);
        EXPECT_EQ(resource_test::ToBytes(*a.GetImageData(key)), resource_test::ToBytes(*b.GetImageData(key)));
    }
}

void ExpectSameMaterial(const Material& a, const Material& b) {
    EXPECT_EQ(a.GetStageMask(), b.GetStageMask());
    EXPECT_EQ(a.flagA, b.flagA);
    EXPECT_EQ(a.flagC, b.flagC);
    ASSERT_EQ(a.GetStageCount(), b.GetStageCount());
    for (uint16_t i = 0; i < a.GetStageCount(); ++i) {
        const MaterialStage& x = a.Stage(i);
        const MaterialStage& y = b.Stage(i);
        EXPECT_EQ(x.texture->id, y.texture->id);
        EXPECT_EQ(a.GetSavedTexCoordSet(i), b.GetSavedTexCoordSet(i));
        EXPECT_EQ(x.bump.scale, y.bump.scale);
        EXPECT_EQ(x.bump.param, y.bump.param);
        EXPECT_EQ(x.hasExtra, y.hasExtra);
        EXPECT_EQ(x.extra, y.extra);
    }
}

void ExpectSameMesh(const Mesh& a, const Mesh& b) {
    EXPECT_EQ(a.vertices->LayoutFlags(), b.vertices->LayoutFlags());
    EXPECT_TRUE(std::equal(a.vertices->Words().begin(), a.vertices->Words().end(), b.vertices->Words().begin(),
                           b.vertices->Words().end()));
    ExpectSameVector(a.bound.centre, b.bound.centre);
    EXPECT_EQ(a.bound.radius, b.bound.radius);
    EXPECT_EQ(a.optionB, b.optionB);
    ASSERT_EQ(a.parts.size(), b.parts.size());
    for (size_t i = 0; i < a.parts.size(); ++i) {
        EXPECT_EQ(a.parts[i]->material->id, b.parts[i]->material->id);
        ASSERT_EQ(a.parts[i]->HasIndices(), b.parts[i]->HasIndices());
        if (a.parts[i]->HasIndices()) {
            const auto& x = static_cast<const IndexedMeshPart&>(*a.parts[i]);
            const auto& y = static_cast<const IndexedMeshPart&>(*b.parts[i]);
            EXPECT_EQ(x.GetIndices().indices, y.GetIndices().indices);
            EXPECT_EQ(x.words, y.words);
        }
    }
    const auto* skinA = dynamic_cast<const SkinnedMesh*>(&a);
    const auto* skinB = dynamic_cast<const SkinnedMesh*>(&b);
    ASSERT_EQ(skinA == nullptr, skinB == nullptr);
    if (skinA) {
        EXPECT_EQ(skinA->skeleton->id, skinB->skeleton->id);
        ASSERT_EQ(skinA->influences.size(), skinB->influences.size());
        for (size_t v = 0; v < skinA->influences.size(); ++v) {
            ASSERT_EQ(skinA->influences[v].size(), skinB->influences[v].size());
            for (size_t k = 0; k < skinA->influences[v].size(); ++k) {
                EXPECT_EQ(skinA->influences[v][k].bone, skinB->influences[v][k].bone);
                EXPECT_EQ(skinA->influences[v][k].weight, skinB->influences[v][k].weight);
            }
        }
    }
}

void ExpectSameModel(const ModelObject& a, const ModelObject& b) {
    EXPECT_EQ(a.skeleton ? a.skeleton->id : kNone, b.skeleton ? b.skeleton->id : kNone);
    EXPECT_EQ(a.skeletonLink, b.skeletonLink);
    EXPECT_EQ(a.value2, b.value2);
    EXPECT_EQ(a.value3, b.value3);
    ASSERT_EQ(a.attachments.size(), b.attachments.size());
    for (const auto& [key, mesh] : a.attachments) {
        ASSERT_EQ(b.attachments.count(key), 1u);
        EXPECT_EQ(mesh ? mesh->id : kNone, b.attachments.at(key) ? b.attachments.at(key)->id : kNone);
    }
    EXPECT_EQ(a.bound.radius, b.bound.radius);
    ExpectSameVector(a.localTransform.position, b.localTransform.position);
    ExpectSameVector(a.localTransform.scale, b.localTransform.scale);
    EXPECT_EQ(a.textureSlotEnabled, b.textureSlotEnabled);
    EXPECT_EQ(a.textureSlot, b.textureSlot);
    ExpectSameVector(a.direction1, b.direction1);
    EXPECT_EQ(a.trailer, b.trailer);
    ASSERT_EQ(a.Children().size(), b.Children().size());
    for (size_t i = 0; i < a.Children().size(); ++i) {
        ExpectSameModel(*a.Children()[i], *b.Children()[i]);
    }
}

void ExpectSameSprite(const SpriteObject& a, const SpriteObject& b) {
    EXPECT_EQ(a.GetTexture()->id, b.GetTexture()->id);
    EXPECT_EQ(a.alphaMode, b.alphaMode);
    EXPECT_EQ(a.alpha, b.alpha);
    ExpectSameVector(a.pivot, b.pivot);
    EXPECT_EQ(a.sourceRect, b.sourceRect);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.billboardMode, b.billboardMode);
    EXPECT_EQ(a.upMode, b.upMode);
    ExpectSameVector(a.baseUp, b.baseUp);
    ASSERT_TRUE(a.player && b.player);
    EXPECT_EQ(a.player->frameCount, b.player->frameCount);
    EXPECT_EQ(a.player->frameTime, b.player->frameTime);
}

void ExpectSameSpriteAnimation(const SpriteAnimation& a, const SpriteAnimation& b) {
    EXPECT_EQ(a.playMode, b.playMode);
    EXPECT_EQ(a.loopCount, b.loopCount);
    EXPECT_EQ(a.length, b.length);
    ASSERT_EQ(a.keyframes.size(), b.keyframes.size());
    for (size_t i = 0; i < a.keyframes.size(); ++i) {
        EXPECT_EQ(a.keyframes[i]->delay, b.keyframes[i]->delay);
        EXPECT_EQ(a.keyframes[i]->sourceRect, b.keyframes[i]->sourceRect);
        EXPECT_EQ(a.keyframes[i]->velocity.x, b.keyframes[i]->velocity.x);
        EXPECT_EQ(a.keyframes[i]->acceleration.rotation, b.keyframes[i]->acceleration.rotation);
    }
    ASSERT_EQ(a.children.size(), b.children.size());
    for (size_t i = 0; i < a.children.size(); ++i) {
        ExpectSameSpriteAnimation(*a.children[i], *b.children[i]);
    }
}

void ExpectSameBoneAnimation(const BoneAnimation& a, const BoneAnimation& b) {
    EXPECT_EQ(a.skeleton->id, b.skeleton->id);
    EXPECT_EQ(a.length, b.length);
    ASSERT_EQ(a.keyframes.size(), b.keyframes.size());
    for (size_t i = 0; i < a.keyframes.size(); ++i) {
        ASSERT_EQ(a.keyframes[i]->poses.size(), b.keyframes[i]->poses.size());
        for (size_t p = 0; p < a.keyframes[i]->poses.size(); ++p) {
            ExpectSameVector(a.keyframes[i]->poses[p].position, b.keyframes[i]->poses[p].position);
            EXPECT_EQ(a.keyframes[i]->poses[p].rotation.z, b.keyframes[i]->poses[p].rotation.z);
        }
    }
}

void ExpectSameScene(const SceneInfo& a, const SceneInfo& b) {
    EXPECT_EQ(a.ambient, b.ambient);
    EXPECT_EQ(a.fogEnabled, b.fogEnabled);
    EXPECT_EQ(a.sceneWord0, b.sceneWord0);
    ASSERT_EQ(a.cameras.Entries().size(), b.cameras.Entries().size());
    for (const auto& [id, camera] : a.cameras.Entries()) {
        const Camera& other = *b.cameras.Find(id);
        ExpectSameVector(camera->Eye(), other.Eye());
        ExpectSameVector(camera->Frame().side, other.Frame().side);
        EXPECT_EQ(camera->tag, other.tag);
        EXPECT_EQ(camera->FieldOfView(), other.FieldOfView());
        EXPECT_EQ(camera->GetDistanceFov().distance2, other.GetDistanceFov().distance2);
    }
    ASSERT_EQ(a.pointLights.Entries().size(), b.pointLights.Entries().size());
    EXPECT_EQ(a.pointLights.Find(0)->range, b.pointLights.Find(0)->range);
    EXPECT_EQ(a.directLights.Find(0)->record.color, b.directLights.Find(0)->record.color);
    ASSERT_EQ(a.models.Entries().size(), b.models.Entries().size());
    const ModelObjectEntry& model = *a.models.Find(0);
    const ModelObjectEntry& otherModel = *b.models.Find(0);
    EXPECT_EQ(model.tag, otherModel.tag);
    ExpectSameVector(model.instance->placement.position, otherModel.instance->placement.position);
    ASSERT_EQ(model.players.size(), otherModel.players.size());
    EXPECT_EQ(model.players[0].startTime, otherModel.players[0].startTime);
    ASSERT_EQ(a.sprites.Entries().size(), b.sprites.Entries().size());
    ExpectSameVector(a.sprites.Find(0)->instance->localTransform.position,
                     b.sprites.Find(0)->instance->localTransform.position);
}

void ExpectSameGraphics(ResourceFile& a, ResourceFile& b) {
    for (uint32_t id : {0u, 1u}) {
        SCOPED_TRACE(id);
        ExpectSameTexture(*a.FindTexture(id), *b.FindTexture(id));
        ExpectSameMesh(*a.FindMesh(id), *b.FindMesh(id));
    }
    EXPECT_EQ(a.FindBone(0)->Bones()[1].name, b.FindBone(0)->Bones()[1].name);
    EXPECT_EQ(a.FindBone(0)->Bones()[1].parent, b.FindBone(0)->Bones()[1].parent);
    ExpectSameVector(a.FindBone(0)->Bones()[1].offset, b.FindBone(0)->Bones()[1].offset);
    ExpectSameMaterial(*a.FindMaterial(0), *b.FindMaterial(0));
    ExpectSameModel(*a.FindModel(0), *b.FindModel(0));
    ExpectSameSprite(*a.FindSprite(0), *b.FindSprite(0));
    ExpectSameSpriteAnimation(*a.GetSpriteAnimationTable()->FindShared(0), *b.GetSpriteAnimationTable()->FindShared(0));
    ExpectSameBoneAnimation(*a.FindBoneAnimation(0), *b.FindBoneAnimation(0));
    EXPECT_EQ(b.GetVertexAnimationTable()->GetCount(), 1u);
    EXPECT_EQ(b.GetModelAnimationTable()->GetCount(), 1u);
    ExpectSameScene(*a.FindSceneInfo(0), *b.FindSceneInfo(0));
}

TEST(GraphicsRoundTripTest, EveryGraphicsKindReadsBackEqualAndWritesBackByteForByte) {
    auto original = resource_test::MakeFile(u"Table");
    resource_test::AddGraphicsItems(*original);
    MemoryStream package = resource_test::WritePackage({original.get()});

    ResourceFile read(u"Table", nullptr, nullptr);
    resource_test::SeekToFile(package, 0);
    ASSERT_TRUE(read.Read(package, true));
    ExpectSameGraphics(*original, read);

    MemoryStream again = resource_test::WritePackage({&read});
    EXPECT_EQ(AfterIndex(again), AfterIndex(package));
}

TEST(GraphicsRoundTripTest, ADescriptionLoadedAloneBringsEverythingItUses) {
    auto original = resource_test::MakeFile(u"Table");
    resource_test::AddGraphicsItems(*original);
    MemoryStream package = resource_test::WritePackage({original.get()});

    ResourceFile lazy(u"Table", nullptr, nullptr);
    resource_test::SeekToFile(package, 0);
    ASSERT_TRUE(lazy.Read(package, false));
    ASSERT_TRUE(lazy.GetSceneInfoTable()->LoadItemAt(package, 0));
    // The scene's model pulls its meshes, their skeleton and material and its textures; the sprite its
    // texture; the player its animation.
    EXPECT_EQ(lazy.GetTextureTable()->GetCount(), 2u);
    EXPECT_EQ(lazy.GetMeshTable()->GetCount(), 2u);
    EXPECT_EQ(lazy.GetBoneAnimationTable()->GetCount(), 1u);
    EXPECT_EQ(lazy.GetSpriteAnimationTable()->GetCount(), 0u);
    const SharedPtr<SceneInfo> scene = lazy.FindSceneInfo(0);
    EXPECT_EQ(scene->models.Find(0)->model, lazy.FindModel(0));
    EXPECT_EQ(lazy.FindMaterial(0)->Stage(1).texture, lazy.FindTexture(1));
}

TEST(GraphicsRoundTripTest, CopyingAModelBringsWhatItUsesAndRemovingItTakesThatAway) {
    auto source = resource_test::MakeFile(u"Source");
    resource_test::AddGraphicsItems(*source);
    auto target = resource_test::MakeFile(u"Target");
    resource_test::Put(*target->GetTextureTable(), resource_test::MakeTexture(resource_test::MakeBmp(1, 1, 0), 1, 1), 0);

    const SharedPtr<ModelObject> copy = target->GetModelTable()->AddItem(source->FindModel(0), kNone);
    ASSERT_NE(copy, nullptr);
    // Meshes, their skeleton and material and the material's textures came along under fresh ids.
    EXPECT_EQ(target->GetMeshTable()->GetCount(), 2u);
    EXPECT_EQ(target->GetBoneTable()->GetCount(), 1u);
    EXPECT_EQ(target->GetMaterialTable()->GetCount(), 2u);
    EXPECT_EQ(target->GetTextureTable()->GetCount(), 5u);
    const SharedPtr<Mesh> mesh = copy->attachments.at(0);
    EXPECT_EQ(target->FindMesh(mesh->id), mesh);
    const SharedPtr<Material> material = mesh->parts.front()->material;
    EXPECT_EQ(target->FindMaterial(material->id), material);
    EXPECT_NE(material->Stage(0).texture, source->FindTexture(0));
    EXPECT_EQ(target->FindTexture(material->Stage(0).texture->id), material->Stage(0).texture);
    EXPECT_EQ(source->FindMesh(0)->parts.front()->material, source->FindMaterial(0)) << "the source is untouched";

    // The sprite brings its texture; a copied sprite draws it.
    const SharedPtr<SpriteObject> sprite = target->GetSpriteTable()->AddItem(source->FindSprite(0), kNone);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(target->FindTexture(sprite->GetTexture()->id), sprite->GetTexture());

    // Removing the first mesh with what it depends on takes its skeleton, its material and the textures.
    const uint32_t textures = target->GetTextureTable()->GetCount();
    ASSERT_TRUE(target->GetMeshTable()->RemoveItem(mesh->id, true));
    EXPECT_EQ(target->GetBoneTable()->GetCount(), 0u);
    EXPECT_EQ(target->GetTextureTable()->GetCount(), textures - 2);
    EXPECT_EQ(mesh->id, kNone);
}

}  // namespace
}  // namespace quill
