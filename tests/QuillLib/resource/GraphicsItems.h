#pragma once
// Graphics items built in memory for tests and benchmarks: image files made by hand and one item of every
// graphics kind in a resource file, each referring to the others by the ids the package writer keeps. No
// test framework here, so benchmarks use it too.
#include <cstdint>
#include <vector>

#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/D3D9TextureItem.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/SkinnedMesh.h"

namespace resource_test {

using quill::SharedPtr;

// A 24-bit BMP file of width x height pixels of one colour (0xRRGGBB).
inline std::vector<uint8_t> MakeBmp(uint32_t width, uint32_t height, uint32_t rgb) {
    const uint32_t rowBytes = (width * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * height;
    std::vector<uint8_t> file;
    auto u16 = [&file](uint32_t v) {
        file.push_back(static_cast<uint8_t>(v));
        file.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&u16](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    u16('B' | ('M' << 8));
    u32(54 + pixelBytes);
    u32(0);
    u32(54);
    u32(40);
    u32(width);
    u32(height);
    u16(1);
    u16(24);
    u32(0);
    u32(pixelBytes);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            file.push_back(static_cast<uint8_t>(rgb));
            file.push_back(static_cast<uint8_t>(rgb >> 8));
            file.push_back(static_cast<uint8_t>(rgb >> 16));
        }
        file.resize(file.size() + rowBytes - width * 3, 0);
    }
    return file;
}

// A texture item holding one image file under key 0 (held compressed when keepCompressed is set).
inline SharedPtr<quill::Texture> MakeTexture(const std::vector<uint8_t>& imageFile, uint32_t width, uint32_t height,
                                             bool keepCompressed = false) {
    quill::TextureSettings settings;
    settings.addressU = 2;
    settings.colorKey = 0xFFFF00FF;
    settings.compressFlag = keepCompressed ? 1 : 0;
    settings.keepCompressed = keepCompressed ? 1 : 0;
    SharedPtr<quill::Texture> texture = quill::make_shared<quill::D3D9TextureItem>(nullptr, u"", settings);
    quill::MemoryStream bytes;
    bytes.Write(imageFile.data(), static_cast<uint32_t>(imageFile.size()));
    if (keepCompressed) {
        bytes.Compress();
    }
    texture->AddImage(0, bytes.Size(), keepCompressed ? static_cast<uint32_t>(imageFile.size()) : 0);
    std::copy(bytes.Data(), bytes.Data() + bytes.Size(), texture->GetImageData(0)->Data());
    texture->SetImageWidth(width, 0);
    texture->SetImageHeight(height, 0);
    return texture;
}

// A mesh of a quad in the z = 0 plane ((0, 0) to (size, size)), positions, normals and one texture set,
// with one indexed part.
inline SharedPtr<quill::Mesh> MakeQuadMesh(SharedPtr<quill::Material> material, float size = 1.0f) {
    SharedPtr<quill::Mesh> mesh = quill::make_shared<quill::Mesh>(u"");
    mesh->Allocate(quill::VertexData::kPosition | quill::VertexData::kNormal | 0x100, 4);
    const quill::Vec3 corners[4] = {{0, 0, 0}, {size, 0, 0}, {0, size, 0}, {size, size, 0}};
    for (uint32_t v = 0; v < 4; ++v) {
        quill::WritePosition(*mesh->vertices, v, corners[v]);
        quill::WriteNormal(*mesh->vertices, v, quill::Vec3{0, 0, -1});
        quill::WriteTexCoord(*mesh->vertices, v, 0, corners[v].x / size, corners[v].y / size);
    }
    SharedPtr<quill::IndexedMeshPart> part = quill::make_shared<quill::IndexedMeshPart>(material, 0);
    part->GetWritableIndices().indices = {0, 1, 2, 2, 1, 3};
    part->GetWritableIndices().RebuildKeys();
    part->words = {1, 2, 3, 4};
    mesh->AddPart(part);
    mesh->RefreshBounds();
    return mesh;
}

// The pieces of AddGraphicsItems, one kind each.
inline SharedPtr<quill::Skeleton> MakeArm() {
    SharedPtr<quill::Skeleton> arm = quill::make_shared<quill::Skeleton>(u"");
    arm->Bones() = {quill::SkeletonBone{u"shoulder", quill::SkeletonBone::kRoot, {0, 0, 0}},
                    quill::SkeletonBone{u"elbow", 0, {1, 0, 0}}};
    return arm;
}

inline SharedPtr<quill::Material> MakeMaterial(SharedPtr<quill::Texture> colour, SharedPtr<quill::Texture> bump) {
    SharedPtr<quill::Material> material = quill::make_shared<quill::Material>(u"", 0x1 | 0x20, 1, 0, 1);
    material->SetSlot(0, std::move(colour));
    material->SetSlot(2, std::move(bump));
    material->Stage(0).texCoordSet = 0;
    material->Stage(1).bump = quill::MaterialStage::BumpRecord{2.0f, 1, 7};
    material->SetStageExtra(0, true);
    material->SetStageExtraValues(0, {1, 2, 3});
    return material;
}

inline SharedPtr<quill::Mesh> MakeSkinnedMesh(SharedPtr<quill::Skeleton> skeleton, SharedPtr<quill::Material> material) {
    SharedPtr<quill::SkinnedMesh> mesh = quill::make_shared<quill::SkinnedMesh>(u"", std::move(skeleton));
    mesh->Allocate(quill::VertexData::kPosition, 3);
    for (uint32_t v = 0; v < 3; ++v) {
        quill::WritePosition(*mesh->vertices, v, quill::Vec3{static_cast<float>(v), 1, 0});
        mesh->AddInfluence(v, quill::SkinInfluence{static_cast<uint16_t>(v % 2), 1.0f});
    }
    mesh->AddInfluence(2, quill::SkinInfluence{0, 0.5f});
    mesh->SetOptions(1, 2);
    mesh->AddPart(quill::make_shared<quill::MeshPart>(material));
    mesh->RefreshBounds();
    return mesh;
}

inline SharedPtr<quill::ModelObject> MakeModel(SharedPtr<quill::Skeleton> skeleton, SharedPtr<quill::Mesh> skinned,
                                               SharedPtr<quill::Mesh> quad) {
    SharedPtr<quill::ModelObject> root =
        quill::make_shared<quill::ModelObject>(u"", std::move(skeleton), 3, 1, 2, 0.5f);
    root->Attach(0, std::move(skinned));
    root->Attach(4, nullptr);
    root->bound = quill::BoundingSphere{{0, 1, 0}, 2};
    quill::Transform place;
    place.Set({1, 2, 3}, {1, 1, 2}, quill::Quaternion{0, 0, 1, 0});
    root->SetLocalTransform(place);
    root->trailer = 9;
    SharedPtr<quill::ModelObject> hand = quill::make_shared<quill::ModelObject>(u"", 5, 6, 1.0f);
    hand->Attach(0, std::move(quad));
    root->AddChild(hand);
    root->SelectTextureSlotRecursive(1, 2);
    root->SetDirection1Recursive({0, 0, 1});
    root->SetDirection2Recursive({1, 0, 0});
    return root;
}

inline SharedPtr<quill::SpriteObject> MakeSprite(SharedPtr<quill::Texture> texture) {
    SharedPtr<quill::SpriteObject> sprite = quill::make_shared<quill::SpriteObject>(u"");
    sprite->alphaMode = 2;
    sprite->alpha = 0.5f;
    sprite->SetPivot({1, 1, 0});
    sprite->SetSourceRect(0, 0, 1, 0);
    sprite->SetSize(4, 2);
    sprite->billboardMode = 1;
    sprite->upMode = 1;
    sprite->facingMode = 0;
    sprite->SetPlayer(0, 4, 0.25f);
    sprite->BuildMesh(std::move(texture));
    return sprite;
}

inline SharedPtr<quill::SpriteAnimation> MakeSpriteAnimation() {
    SharedPtr<quill::SpriteAnimation> animation = quill::make_shared<quill::SpriteAnimation>();
    animation->playMode = 2;
    animation->loopCount = 3;
    quill::SpriteKeyframe keyframe;
    keyframe.delay = 0.5f;
    keyframe.duration = 1.0f;
    keyframe.pivot = {1, 2, 0};
    keyframe.sourceRect = {0, 0, 15, 15};
    keyframe.velocity.x = 10;
    keyframe.acceleration.rotation = 1;
    animation->AddKeyframe(keyframe);
    SharedPtr<quill::SpriteAnimation> child = quill::make_shared<quill::SpriteAnimation>();
    child->playMode = 1;
    child->AddKeyframe(keyframe);
    animation->AddChild(child);
    return animation;
}

inline SharedPtr<quill::BoneAnimation> MakeWave(SharedPtr<quill::Skeleton> skeleton) {
    SharedPtr<quill::BoneAnimation> wave = quill::make_shared<quill::BoneAnimation>(u"", std::move(skeleton));
    for (float time : {0.0f, 1.0f}) {
        SharedPtr<quill::BoneKeyframe> keyframe = quill::make_shared<quill::BoneKeyframe>(time, 2);
        keyframe->poses[1].position = {time, 0, 0};
        keyframe->poses[1].rotation = {0, 0, time * 0.6f, 0.8f + time * 0.2f};
        wave->AppendKeyframe(keyframe);
    }
    return wave;
}

inline SharedPtr<quill::SceneInfo> MakeScene(const quill::ResourceFile& file) {
    SharedPtr<quill::SceneInfo> scene = quill::make_shared<quill::SceneInfo>(u"", std::array<float, 4>{0.5f, 0.5f, 0.5f, 1});
    scene->fogEnabled = 1;
    scene->sceneWord0 = 7;
    quill::FourVec3 frame{{0, 0, -10}, {0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    for (int i = 0; i < 2; ++i) {
        SharedPtr<quill::Camera> camera = quill::make_shared<quill::Camera>(u"", frame, quill::Camera::Projection{});
        camera->tag = static_cast<uint32_t>(i + 1);
        camera->SetScreenRect(10, 0.5f, 100, 1.0f);
        scene->AddCamera(camera);
    }
    scene->SelectCamera(0);
    quill::LightRecord light;
    light.color = {1, 0.5f, 0.25f};
    light.vector = {0, -1, 0};
    scene->AddDirectLight(quill::make_shared<quill::DirectLight>(u"", light));
    scene->AddPointLight(quill::make_shared<quill::PointLight>(u"", light, 50.0f));
    quill::Transform placement;
    placement.SetPosition({5, 0, 0});
    SharedPtr<quill::ModelObjectEntry> model =
        quill::make_shared<quill::ModelObjectEntry>(u"", file.FindModel(0), placement);
    model->tag = 4;
    scene->AddModelObject(model);
    model->AttachPlayer(0.25f, 1, file.FindBoneAnimation(0));
    // Files of versions without sprites describe none.
    if (quill::IsKindPresent(file.GetVersion(), quill::ResourceKind::Sprite)) {
        scene->AddSpriteObject(
            quill::make_shared<quill::SpriteObjectEntry>(u"", file.FindSprite(0), quill::Vec3{1, 2, 3}, 2, 3));
    }
    return scene;
}

// Enters an item under an id.
template <typename Table, typename Item>
SharedPtr<Item> Put(Table& table, SharedPtr<Item> item, uint32_t id) {
    item->id = id;
    table.Insert(item);
    return item;
}

// Fills the graphics tables of a file with items of every graphics kind (two textures, two meshes), ids
// from 0, the items referring to each other.
inline void AddGraphicsItems(quill::ResourceFile& file) {
    SharedPtr<quill::Skeleton> arm = Put(*file.GetBoneTable(), MakeArm(), 0);
    SharedPtr<quill::Texture> colour = Put(*file.GetTextureTable(), MakeTexture(MakeBmp(4, 2, 0x336699), 4, 2), 0);
    SharedPtr<quill::Texture> bump = Put(*file.GetTextureTable(), MakeTexture(MakeBmp(2, 2, 0x808080), 2, 2, true), 1);
    bump->settings.bumpMap = 1;
    SharedPtr<quill::Material> material = Put(*file.GetMaterialTable(), MakeMaterial(colour, bump), 0);
    SharedPtr<quill::Mesh> skinned = Put(*file.GetMeshTable(), MakeSkinnedMesh(arm, material), 0);
    SharedPtr<quill::Mesh> quad = Put(*file.GetMeshTable(), MakeQuadMesh(material), 1);
    Put(*file.GetModelTable(), MakeModel(arm, skinned, quad), 0);
    Put(*file.GetSpriteTable(), MakeSprite(colour), 0);
    Put(*file.GetSpriteAnimationTable(), MakeSpriteAnimation(), 0);
    Put(*file.GetBoneAnimationTable(), MakeWave(arm), 0);
    Put(*file.GetVertexAnimationTable(), quill::make_shared<quill::VertexAnimation>(u""), 0);
    Put(*file.GetModelAnimationTable(), quill::make_shared<quill::ModelAnimation>(u""), 0);
    Put(*file.GetSceneInfoTable(), MakeScene(file), 0);
}

}  // namespace resource_test
