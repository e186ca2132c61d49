#include "QuillLib/render/Node.h"

#include <vector>

#include "QuillLib/render/NodeGroup.h"
#include "QuillLib/render/NodeVisitor.h"
#include "QuillLib/resource/Mesh.h"
#include "QuillLib/resource/ModelObject.h"
#include "QuillLib/resource/SpriteObject.h"

namespace quill {
namespace {

// Finds whether any node of a walk holds content: a node without content is searched below, the first with
// content ends the search of its branch.
class ContentSearch : public NodeVisitor {
public:
    bool Enter(Node& node, bool& descend) override {
        descend = !found && !node.hasContent;
        if (node.hasContent) found = true;
        return true;
    }

    bool found = false;
};

}  // namespace

Node::~Node() = default;

void Node::SetGroup(std::unique_ptr<NodeGroup> group) {
    group_ = std::move(group);
}

Node* Node::GetParent() const {
    return parentGroup_ != nullptr ? parentGroup_->GetNode() : nullptr;
}

void Node::UpdateContent() {
    if (!group_) {
        hasContent = false;
        return;
    }
    ContentSearch search;
    group_->Accept(search);
    hasContent = search.found;
}

bool Node::ExpandObjectTree(ModelObject& object) {
    bool added = true;
    if (Mesh* mesh = object.GetAttachment()) added = AddMesh(*mesh);
    for (const SharedPtr<ModelObject>& child : object.Children()) {
        added = AddObjectTree(*child) && added;
    }
    return added;
}

bool Node::CollapseObjectTree(ModelObject& object) {
    if (Mesh* mesh = object.GetAttachment(); mesh != nullptr && RemoveMesh(*mesh)) return true;
    for (const SharedPtr<ModelObject>& child : object.Children()) {
        if (RemoveObjectTree(*child)) return true;
    }
    return IsEmpty();
}

bool Node::AddObjectTree(ModelObject& object) {
    if (isObjectLevel) return ExpandObjectTree(object);
    return group_ && group_->AddObjectTree(object);
}

bool Node::RemoveObjectTree(ModelObject& object) {
    if (isObjectLevel) return CollapseObjectTree(object);
    return !group_ || group_->RemoveObjectTree(object);
}

bool Node::AddObject(SpriteObject& sprite) {
    if (isObjectLevel) return sprite.mesh && AddMesh(*sprite.mesh);
    return group_ && group_->AddObject(sprite);
}

bool Node::RemoveObject(SpriteObject& sprite) {
    if (isObjectLevel) return sprite.mesh ? RemoveMesh(*sprite.mesh) : IsEmpty();
    return !group_ || group_->RemoveObject(sprite);
}

bool Node::AddMesh(Mesh& mesh) {
    if (!isMeshLevel) return group_ && group_->AddMesh(mesh);
    bool added = true;
    for (const SharedPtr<MeshPart>& part : mesh.parts) added = AddPart(*part) && added;
    return added;
}

bool Node::RemoveMesh(Mesh& mesh) {
    if (!isMeshLevel) return !group_ || group_->RemoveMesh(mesh);
    for (const SharedPtr<MeshPart>& part : mesh.parts) {
        if (RemovePart(*part)) return true;
    }
    return false;
}

bool Node::AddPart(MeshPart& part) {
    return group_ && group_->AddPart(part);
}

bool Node::RemovePart(MeshPart& /*part*/) {
    return IsEmpty();
}

bool Node::RemoveLeafPart(MeshPart& /*part*/) {
    return IsEmpty();
}

bool Node::IsEmpty() const {
    return group_ && group_->IsEmpty();
}

void Node::PruneUpward() {
    // Only locals from here on: pruning may delete this node.
    NodeGroup* parent = parentGroup_;
    if (parent == nullptr) return;
    parent->PruneEmpty();
    if (Node* up = parent->GetNode(); up != nullptr && parent->IsEmpty()) up->PruneUpward();
}

bool Node::Enter(RenderStats& /*stats*/) {
    return true;
}

bool Node::Leave(RenderStats& /*stats*/) {
    return true;
}

bool Node::Measure(bool& descend, uint32_t& /*maxVertexBytes*/, uint32_t& /*maxIndices*/) {
    descend = true;
    return true;
}

bool Node::EndMeasure(uint32_t /*maxVertexBytes*/, uint32_t /*maxIndices*/) {
    return true;
}

void Node::PrepareStatic(bool& descend) {
    descend = true;
}

void Node::GetRootService(MeshPart& part, Node& leaf) {
    if (Node* parent = GetParent()) parent->GetRootService(part, leaf);
}

bool Node::Accept(NodeVisitor& visitor) {
    bool descend = false;
    if (!visitor.Enter(*this, descend)) return false;
    if (descend && group_ && !group_->Accept(visitor)) return false;
    return visitor.Leave(*this);
}

void Node::RemoveAlongPath(MeshPart& part) {
    std::vector<Node*> path;
    for (Node* node = this; node != nullptr; node = node->GetParent()) path.push_back(node);
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        // A node that empties takes its branch with it, this node included: nothing below is left to visit.
        if ((*step)->RemoveLeafPart(part)) {
            (*step)->PruneUpward();
            return;
        }
    }
}

}  // namespace quill
