#pragma once
// The group at the bottom of a texture branch: it holds the one batch leaf of the branch for as long as the
// group lives (pruning leaves it alone; an empty leaf makes the group and its node empty).
#include <memory>

#include "QuillLib/render/NodeGroup.h"

namespace quill {

class BatchLeaf;

class LeafGroup : public NodeGroup {
public:
    LeafGroup(SceneGraph& owner, Node* node);
    ~LeafGroup() override;

    bool Accept(NodeVisitor& visitor) override;
    bool AddPart(MeshPart& part) override;
    bool RemovePart(MeshPart& part) override;
    bool IsEmpty() const override;
    void PruneEmpty() override {}

    BatchLeaf& GetLeaf() const { return *leaf_; }

private:
    std::unique_ptr<BatchLeaf> leaf_;
};

}  // namespace quill
