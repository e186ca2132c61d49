#pragma once
// The children of one render-tree node, chosen by a rule of the group's kind (a part flag, a state key, the
// buffer a part lives in ...). Children are made on first use by an insertion and deleted when a removal
// leaves them empty; a removal answers whether the group is empty afterwards. The base class refuses
// insertions and reports removals as not done.
//
// Threads: the thread that drives the scenes.
namespace quill {

class Mesh;
class MeshPart;
class ModelObject;
class Node;
class NodeVisitor;
class SceneGraph;
class SpriteObject;

class NodeGroup {
public:
    NodeGroup(SceneGraph& owner, Node* node) : owner_(owner), node_(node) {}
    virtual ~NodeGroup() = default;
    NodeGroup(const NodeGroup&) = delete;
    NodeGroup& operator=(const NodeGroup&) = delete;

    // Accept on every child in the kind's order; false at the first false.
    virtual bool Accept(NodeVisitor& visitor) = 0;
    virtual bool AddObjectTree(ModelObject& /*object*/) { return false; }
    virtual bool RemoveObjectTree(ModelObject& /*object*/) { return false; }
    virtual bool AddObject(SpriteObject& /*sprite*/) { return false; }
    virtual bool RemoveObject(SpriteObject& /*sprite*/) { return false; }
    virtual bool AddMesh(Mesh& /*mesh*/) { return false; }
    virtual bool RemoveMesh(Mesh& /*mesh*/) { return false; }
    virtual bool AddPart(MeshPart& /*part*/) { return false; }
    virtual bool RemovePart(MeshPart& /*part*/) { return false; }
    virtual bool IsEmpty() const = 0;
    // Deletes every child that is empty.
    virtual void PruneEmpty() = 0;

    // The node that owns this group.
    Node* GetNode() const { return node_; }

protected:
    SceneGraph& owner_;
    Node* node_;
};

}  // namespace quill
