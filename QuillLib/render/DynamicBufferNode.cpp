#include "QuillLib/render/DynamicBufferNode.h"

#include <algorithm>

#include "QuillLib/render/BlendMaskGroup.h"
#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/resource/IndexBlock.h"

namespace quill {

DynamicBufferNode::DynamicBufferNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t layout, uint32_t stride)
    : Node(owner, parentGroup), key_(layout), stride_(stride) {
    group_ = std::make_unique<BlendMaskGroup>(owner, this, (layout & 2) != 0);
}

bool DynamicBufferNode::AddPart(MeshPart& part) {
    maxVertexBytes_ = std::max(maxVertexBytes_, PartVertexCount(part) * stride_);
    const IndexBlock* indices = PartIndices(part);
    maxIndices_ = std::max(maxIndices_, indices != nullptr ? static_cast<uint32_t>(indices->indices.size()) : 0u);
    return Node::AddPart(part);
}

bool DynamicBufferNode::Measure(bool& descend, uint32_t& maxVertexBytes, uint32_t& maxIndices) {
    maxVertexBytes = std::max(maxVertexBytes, maxVertexBytes_);
    maxIndices = std::max(maxIndices, maxIndices_);
    descend = false;
    return true;
}

bool DynamicBufferNode::Enter(RenderStats& /*stats*/) {
    BufferPool& pool = owner_.GetDevice().GetBufferPool();
    return pool.SelectDynamicVertexBuffer(key_, 0) && pool.SelectDynamicIndexBuffer(0);
}

}  // namespace quill
