#include "QuillLib/render/StaticBatchNode.h"

#include "QuillLib/render/BlendMaskGroup.h"
#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneGraph.h"

namespace quill {

StaticBatchNode::StaticBatchNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t layout, uint32_t stride)
    : Node(owner, parentGroup), batch_(owner.GetDevice(), true, layout, stride) {
    group_ = std::make_unique<BlendMaskGroup>(owner, this, (layout & 2) != 0);
}

bool StaticBatchNode::AddPart(MeshPart& part) {
    batch_.AddPart(part);
    return Node::AddPart(part);
}

bool StaticBatchNode::RemoveLeafPart(MeshPart& part) {
    batch_.RemovePart(part);
    return IsEmpty();
}

void StaticBatchNode::PrepareStatic(bool& descend) {
    batch_.ResetHandles(false);
    descend = false;
}

bool StaticBatchNode::Measure(bool& descend, uint32_t& /*maxVertexBytes*/, uint32_t& /*maxIndices*/) {
    bool reallocated = false;
    if (!batch_.EnsureBuffers(reallocated)) return false;
    descend = reallocated;
    return batch_.Select();
}

bool StaticBatchNode::Enter(RenderStats& stats) {
    if (!batch_.Select()) return false;
    ++stats[RenderStats::kStaticBuffers];
    return true;
}

}  // namespace quill
