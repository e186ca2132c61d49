#include "QuillLib/render/SpecularNode.h"

#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/render/TextureLevels.h"

namespace quill {

SpecularNode::SpecularNode(SceneGraph& owner, NodeGroup* parentGroup, bool specular, uint32_t mask)
    : Node(owner, parentGroup), key_(specular) {
    group_ = CreateTextureLevels(owner, this, mask, TextureLevels::kAllKinds);
}

bool SpecularNode::Enter(RenderStats& /*stats*/) {
    return owner_.GetDevice().SetSpecularEnable(key_);
}

}  // namespace quill
