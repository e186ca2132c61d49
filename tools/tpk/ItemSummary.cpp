#include "tools/tpk/ItemSummary.h"

#include <sstream>

#include "QuillLib/resource/BoneAnimation.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/SceneInfo.h"
#include "QuillLib/resource/Skeleton.h"
#include "QuillLib/resource/SkinnedMesh.h"
#include "QuillLib/resource/SpriteAnimation.h"
#include "QuillLib/resource/SpriteObject.h"
#include "QuillLib/resource/Texture.h"
#include "platform/system/CodePage.h"

namespace tpk {
namespace {

using platform::Utf16ToUtf8;

std::string IdOf(const quill::NamedObject* item) {
    return item ? std::to_string(item->id) : std::string("none");
}

std::string DescribeTexture(const quill::Texture& texture) {
    std::ostringstream text;
    text << texture.GetImageCount() << " image(s)";
    for (uint16_t index = 0; index < texture.GetImageCount(); ++index) {
        const uint16_t key = texture.GetImageKeyAt(index);
        const quill::TextureImage& image = *texture.GetImage(key);
        text << (index == 0 ? ": " : ", ") << "key " << key << " " << image.width << "x" << image.height << " "
             << const_cast<quill::MemoryStream&>(image.data).Size() << " bytes";
    }
    return text.str();
}

std::string DescribeMaterial(const quill::Material& material) {
    std::ostringstream text;
    text << "stage mask 0x" << std::hex << material.GetStageMask() << std::dec << ", " << material.GetStageCount()
         << " stage(s)";
    for (const quill::MaterialStage& stage : material.Stages()) {
        text << ", kind " << static_cast<int>(stage.kind) << " texture " << IdOf(stage.texture.get());
    }
    return text.str();
}

std::string DescribeSkeleton(const quill::Skeleton& skeleton) {
    std::ostringstream text;
    text << skeleton.GetBoneCount() << " bone(s)";
    for (const quill::SkeletonBone& bone : skeleton.Bones()) {
        text << (&bone == &skeleton.Bones().front() ? ": " : ", ") << Utf16ToUtf8(bone.name);
    }
    return text.str();
}

std::string DescribeMesh(const quill::Mesh& mesh) {
    std::ostringstream text;
    text << mesh.vertices->VertexCount() << " vertices (layout 0x" << std::hex << mesh.vertices->LayoutFlags()
         << std::dec << "), " << mesh.parts.size() << " part(s)";
    size_t indices = 0;
    for (const quill::SharedPtr<quill::MeshPart>& part : mesh.parts) {
        if (part->HasIndices()) {
            indices += static_cast<const quill::IndexedMeshPart&>(*part).GetIndices().indices.size();
        }
    }
    text << ", " << indices << " indices";
    if (const auto* skinned = dynamic_cast<const quill::SkinnedMesh*>(&mesh)) {
        text << ", skinned on bone item " << IdOf(skinned->skeleton.get());
    }
    return text.str();
}

void CountNodes(const quill::ModelObject& node, size_t& nodes, size_t& meshes) {
    ++nodes;
    for (const auto& [key, mesh] : node.attachments) {
        meshes += mesh ? 1 : 0;
    }
    for (const quill::SharedPtr<quill::ModelObject>& child : node.Children()) {
        CountNodes(*child, nodes, meshes);
    }
}

std::string DescribeModel(const quill::ModelObject& model) {
    size_t nodes = 0;
    size_t meshes = 0;
    CountNodes(model, nodes, meshes);
    return std::to_string(nodes) + " node(s), " + std::to_string(meshes) + " attached mesh(es)";
}

std::string DescribeSprite(const quill::SpriteObject& sprite) {
    std::ostringstream text;
    float width = 0.0f;
    float height = 0.0f;
    sprite.GetSize(width, height);
    text << "texture " << IdOf(sprite.GetTexture().get()) << ", rect " << sprite.sourceRect[0] << "," << sprite.sourceRect[1]
         << "," << sprite.sourceRect[2] << "," << sprite.sourceRect[3] << ", size " << width << "x" << height;
    if (sprite.player) {
        text << ", " << sprite.player->frameCount << " frame(s)";
    }
    return text.str();
}

std::string DescribeSpriteAnimation(const quill::SpriteAnimation& animation) {
    std::ostringstream text;
    text << animation.keyframes.size() << " keyframe(s), " << animation.children.size() << " child node(s), "
         << animation.length << " s";
    if (!animation.sourcePath.empty()) {
        text << ", from " << Utf16ToUtf8(animation.sourcePath);
    }
    return text.str();
}

std::string DescribeBoneAnimation(const quill::BoneAnimation& animation) {
    std::ostringstream text;
    text << animation.keyframes.size() << " keyframe(s), " << animation.length << " s, bone item "
         << IdOf(animation.skeleton.get());
    return text.str();
}

// The names the entries have (packed descriptions keep none).
template <typename T>
std::string Names(const quill::IdCollection<T>& collection) {
    std::string names;
    for (const auto& [id, entry] : collection.Entries()) {
        if (!entry->name.empty()) {
            names += (names.empty() ? " (" : ", ") + Utf16ToUtf8(entry->name);
        }
    }
    return names.empty() ? names : names + ")";
}

std::string DescribeScene(const quill::SceneInfo& scene) {
    std::ostringstream text;
    text << scene.cameras.Entries().size() << " camera(s)" << Names(scene.cameras) << ", "
         << scene.directLights.Entries().size() + scene.pointLights.Entries().size() << " light(s), "
         << scene.models.Entries().size() << " model(s)" << Names(scene.models) << ", "
         << scene.sprites.Entries().size() << " sprite(s)" << Names(scene.sprites) << ", "
         << scene.properties.size() << " propert(ies)";
    return text.str();
}

}  // namespace

std::string DescribeItem(quill::ResourceKind kind, const quill::NamedObject& item) {
    using K = quill::ResourceKind;
    switch (kind) {
        case K::Texture: return DescribeTexture(static_cast<const quill::Texture&>(item));
        case K::Material: return DescribeMaterial(static_cast<const quill::Material&>(item));
        case K::Bone: return DescribeSkeleton(static_cast<const quill::Skeleton&>(item));
        case K::Mesh: return DescribeMesh(static_cast<const quill::Mesh&>(item));
        case K::Model: return DescribeModel(static_cast<const quill::ModelObject&>(item));
        case K::Sprite: return DescribeSprite(static_cast<const quill::SpriteObject&>(item));
        case K::SpriteAnimation: return DescribeSpriteAnimation(static_cast<const quill::SpriteAnimation&>(item));
        case K::BoneAnimation: return DescribeBoneAnimation(static_cast<const quill::BoneAnimation&>(item));
        case K::SceneInfo: return DescribeScene(static_cast<const quill::SceneInfo&>(item));
        default: return {};
    }
}

}  // namespace tpk
