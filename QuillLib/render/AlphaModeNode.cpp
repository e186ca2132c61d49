#include "QuillLib/render/AlphaModeNode.h"

#include "QuillLib/render/ObjectLayerGroup.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/render/VertexFormatGroup.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/SkinnedMesh.h"

namespace quill {
namespace {

void BakeIntoWorld(ModelObject& object) {
    Mesh* mesh = object.GetAttachment();
    if (mesh == nullptr || !mesh->renderData || mesh->renderData->baked != 0 || object.pose.world.IsIdentity() ||
        dynamic_cast<SkinnedMesh*>(mesh) != nullptr) {
        return;
    }
    mesh->renderData->baked = 1;
    mesh->ApplyWorldTransform(object.pose.world);
    mesh->UpdateBounds(object.pose.world, true);
}

}  // namespace

AlphaModeNode::AlphaModeNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t key)
    : Node(owner, parentGroup), key_(key) {
    if (key == 0) {
        isObjectLevel = isMeshLevel = true;
        group_ = std::make_unique<VertexFormatGroup>(owner, this);
    } else {
        group_ = std::make_unique<ObjectLayerGroup>(owner, this);
    }
}

bool AlphaModeNode::AddObjectTree(ModelObject& object) {
    if (key_ == 0) BakeIntoWorld(object);
    return Node::AddObjectTree(object);
}

bool AlphaModeNode::Enter(RenderStats& /*stats*/) {
    return owner_.GetDevice().SetAlphaMode(static_cast<int32_t>(key_));
}

}  // namespace quill
