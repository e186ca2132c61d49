#include "QuillLib/render/RootNode.h"

#include "QuillLib/render/NodeVisitor.h"
#include "QuillLib/render/RenderScene.h"
#include "QuillLib/render/RootGroup.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/resource/SceneInfo.h"

namespace quill {

RootNode::RootNode(SceneGraph& owner, RenderScene* scene) : Node(owner, nullptr), scene_(scene) {
    group_ = std::make_unique<RootGroup>(owner, this);
}

RootNode::~RootNode() {
    owner_.GetDevice().GetBufferPool().ReleaseAll();
    partMap_.clear();
    group_.reset();
}

namespace {

// Has every group drop its empty children, deepest first.
class EmptyBranchPruning : public NodeVisitor {
public:
    bool Leave(Node& node) override {
        if (NodeGroup* group = node.GetGroup()) group->PruneEmpty();
        return true;
    }
};

}  // namespace

bool RootNode::AddObjectTree(ModelObject& object) {
    const bool added = Node::AddObjectTree(object);
    EmptyBranchPruning pruning;
    Accept(pruning);
    return added;
}

void RootNode::GetRootService(MeshPart& part, Node& leaf) {
    partMap_.emplace(&part, &leaf);
}

size_t RootNode::CountRegistrations(const MeshPart& part) const {
    return partMap_.count(&part);
}

bool RootNode::RemovePart(MeshPart& part) {
    // Every leaf that registered the part lets it go: a leaf left holding it would draw a part whose mesh may
    // be freed.
    for (auto found = partMap_.find(&part); found != partMap_.end(); found = partMap_.find(&part)) {
        Node* leaf = found->second;
        partMap_.erase(found);
        leaf->RemoveAlongPath(part);
    }
    return IsEmpty();
}

bool RootNode::RemoveObjectTree(ModelObject& object) {
    isObjectLevel = isMeshLevel = true;
    const bool empty = Node::RemoveObjectTree(object);
    isObjectLevel = isMeshLevel = false;
    return empty;
}

bool RootNode::Enter(RenderStats& /*stats*/) {
    SceneRenderDevice& device = owner_.GetDevice();
    device.DisableAllLights();
    const SceneInfo* info = scene_ != nullptr ? scene_->GetSceneInfo() : nullptr;
    if (info == nullptr) return true;
    for (const auto& [id, light] : info->directLights.Entries()) {
        if (!device.AddSceneLight(*light)) break;
    }
    for (const auto& [id, light] : info->pointLights.Entries()) {
        if (!device.AddSceneLight(*light)) break;
    }
    return true;
}

bool RootNode::EndMeasure(uint32_t maxVertexBytes, uint32_t maxIndices) {
    BufferPool& pool = owner_.GetDevice().GetBufferPool();
    return pool.EnsureDynamicVertexBuffer(maxVertexBytes) && pool.EnsureDynamicIndexBuffer(maxIndices * 2);
}

}  // namespace quill
