#pragma once
// Splits the parts of one vertex layout by where their vertices live: geometry that never changes goes into
// static batches (a new one when none can take the part), geometry written every frame (skinned or animated
// meshes) into the one dynamic-buffer node. Static nodes are visited in creation order, then the dynamic one.
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/render/NodeGroup.h"

namespace quill {

class DynamicBufferNode;
class StaticBatchNode;

class BufferSplitGroup : public NodeGroup {
public:
    BufferSplitGroup(SceneGraph& owner, Node* node, uint32_t layout, uint32_t stride);
    ~BufferSplitGroup() override;

    bool Accept(NodeVisitor& visitor) override;
    bool AddPart(MeshPart& part) override;
    bool RemovePart(MeshPart& part) override;
    bool IsEmpty() const override;
    void PruneEmpty() override;

    const std::vector<std::unique_ptr<StaticBatchNode>>& StaticNodes() const { return staticNodes_; }
    DynamicBufferNode* GetDynamicNode() const { return dynamicNode_.get(); }

private:
    StaticBatchNode& StaticNodeFor(const MeshPart& part);

    uint32_t layout_;
    uint32_t stride_;
    std::vector<std::unique_ptr<StaticBatchNode>> staticNodes_;
    std::unique_ptr<DynamicBufferNode> dynamicNode_;
};

}  // namespace quill
