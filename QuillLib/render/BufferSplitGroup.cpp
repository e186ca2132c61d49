#include "QuillLib/render/BufferSplitGroup.h"

#include <algorithm>

#include "QuillLib/render/DynamicBufferNode.h"
#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/render/StaticBatchNode.h"

namespace quill {

BufferSplitGroup::BufferSplitGroup(SceneGraph& owner, Node* node, uint32_t layout, uint32_t stride)
    : NodeGroup(owner, node), layout_(layout), stride_(stride) {}

BufferSplitGroup::~BufferSplitGroup() = default;

bool BufferSplitGroup::Accept(NodeVisitor& visitor) {
    for (auto& node : staticNodes_) {
        if (!node->Accept(visitor)) return false;
    }
    return !dynamicNode_ || dynamicNode_->Accept(visitor);
}

StaticBatchNode& BufferSplitGroup::StaticNodeFor(const MeshPart& part) {
    for (auto& node : staticNodes_) {
        if (node->GetBatch().CanAccept(part)) return *node;
    }
    staticNodes_.push_back(std::make_unique<StaticBatchNode>(owner_, this, layout_, stride_));
    return *staticNodes_.back();
}

bool BufferSplitGroup::AddPart(MeshPart& part) {
    if (!IsDynamicGeometry(part)) return StaticNodeFor(part).AddPart(part);
    if (!dynamicNode_) dynamicNode_ = std::make_unique<DynamicBufferNode>(owner_, this, layout_, stride_);
    return dynamicNode_->AddPart(part);
}

bool BufferSplitGroup::RemovePart(MeshPart& part) {
    if (IsDynamicGeometry(part)) {
        if (dynamicNode_ && dynamicNode_->RemovePart(part)) dynamicNode_.reset();
    } else {
        std::erase_if(staticNodes_, [&](const std::unique_ptr<StaticBatchNode>& node) { return node->RemovePart(part); });
    }
    return IsEmpty();
}

bool BufferSplitGroup::IsEmpty() const {
    return staticNodes_.empty() && !dynamicNode_;
}

void BufferSplitGroup::PruneEmpty() {
    if (dynamicNode_ && dynamicNode_->IsEmpty()) dynamicNode_.reset();
    std::erase_if(staticNodes_, [](const std::unique_ptr<StaticBatchNode>& node) { return node->IsEmpty(); });
}

}  // namespace quill
