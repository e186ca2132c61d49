#include "QuillLib/render/TextureStageNode.h"

#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/render/ThreeWayPartFlagGroup.h"

namespace quill {

TextureStageNode::TextureStageNode(SceneGraph& owner, NodeGroup* parentGroup, const MaterialStage* bumpStage,
                                   uint32_t mask, bool hasNormals)
    : Node(owner, parentGroup), bumpStage_(bumpStage), mask_(mask) {
    group_ = std::make_unique<ThreeWayPartFlagGroup>(owner, this, mask, hasNormals);
}

bool TextureStageNode::Enter(RenderStats& /*stats*/) {
    SceneRenderDevice& device = owner_.GetDevice();
    if (bumpStage_ == nullptr || device.bumpMapping == 0 || device.bumpLayersEnabled == 0) return true;
    uint32_t flags = mask_;
    if (device.lightMapLayersEnabled == 0) flags &= ~0x10u;
    if (device.cubeMapping == 0) flags &= ~0x08u;
    return device.ApplyBumpStage(flags, *bumpStage_);
}

}  // namespace quill
