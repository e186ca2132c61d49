#include "QuillLib/render/BlendModeNode.h"

#include "QuillLib/render/EffectMaterialGroup.h"
#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneGraph.h"

namespace quill {

BlendModeNode::BlendModeNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t mask, bool hasNormals)
    : Node(owner, parentGroup), key_(mask) {
    group_ = std::make_unique<EffectMaterialGroup>(owner, this, mask, hasNormals);
}

bool BlendModeNode::Enter(RenderStats& stats) {
    if (!owner_.GetDevice().ApplyTextureStages(key_)) return false;
    ++stats[RenderStats::kTextureStageChanges];
    return true;
}

}  // namespace quill
