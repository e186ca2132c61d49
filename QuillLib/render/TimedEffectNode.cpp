#include "QuillLib/render/TimedEffectNode.h"

#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/render/TextureStageGroup.h"
#include "QuillLib/render/ThreeWayPartFlagGroup.h"

namespace quill {

TimedEffectNode::TimedEffectNode(SceneGraph& owner, NodeGroup* parentGroup, Material* material, uint32_t mask,
                                 bool hasNormals)
    : Node(owner, parentGroup), material_(material) {
    if ((mask & 0x20) != 0) {
        group_ = std::make_unique<TextureStageGroup>(owner, this, mask, hasNormals);
    } else {
        group_ = std::make_unique<ThreeWayPartFlagGroup>(owner, this, mask, hasNormals);
    }
}

bool TimedEffectNode::Enter(RenderStats& /*stats*/) {
    return material_ == nullptr || owner_.GetDevice().ApplyTimedEffects(*material_);
}

}  // namespace quill
