#include "QuillLib/render/LeafGroup.h"

#include "QuillLib/render/BatchLeaf.h"

namespace quill {

LeafGroup::LeafGroup(SceneGraph& owner, Node* node)
    : NodeGroup(owner, node), leaf_(std::make_unique<BatchLeaf>(owner, this)) {}

LeafGroup::~LeafGroup() = default;

bool LeafGroup::Accept(NodeVisitor& visitor) {
    return leaf_->Accept(visitor);
}

bool LeafGroup::AddPart(MeshPart& part) {
    return leaf_->AddPart(part);
}

bool LeafGroup::RemovePart(MeshPart& part) {
    return leaf_->RemovePart(part);
}

bool LeafGroup::IsEmpty() const {
    return leaf_->IsEmpty();
}

}  // namespace quill
