#pragma once
// A node of a scene's render tree. Every level of the tree stands for one kind of device state (vertex
// format, static buffers, blend mode, textures, lights ...): entering a node applies its state, leaving it
// restores what must be restored, and the leaves draw the parts that share all the states of their path.
// Objects, meshes and parts enter and leave through the same operations on every level: a level that
// handles objects (or meshes) itself turns them into meshes (or parts), the others pass them to their child
// group, which picks the child or makes it. The base class gives every operation its plain behaviour; the
// level kinds override what they need.
//
// Threads: the thread that drives the scenes (the main thread).
#include <cstdint>
#include <memory>

#include "QuillLib/render/NodeGroup.h"

namespace quill {

struct RenderStats;

class Node {
public:
    Node(SceneGraph& owner, NodeGroup* parentGroup) : owner_(owner), parentGroup_(parentGroup) {}
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // hasContent: whether any node below holds something to draw (false without a group).
    virtual void UpdateContent();
    // Insertion and removal. A removal answers whether this node is empty afterwards; a node without a
    // group refuses insertions and reports removals as done.
    virtual bool AddObjectTree(ModelObject& object);
    virtual bool RemoveObjectTree(ModelObject& object);
    virtual bool AddObject(SpriteObject& sprite);
    virtual bool RemoveObject(SpriteObject& sprite);
    virtual bool AddMesh(Mesh& mesh);
    virtual bool RemoveMesh(Mesh& mesh);
    virtual bool AddPart(MeshPart& part);
    virtual bool RemovePart(MeshPart& part);
    // Takes the part out where this level keeps it (leaves, static batches); answers IsEmpty.
    virtual bool RemoveLeafPart(MeshPart& part);
    virtual bool IsEmpty() const;
    // Has the parent group drop its empty children; when that empties the group, its node follows, so an
    // emptied branch goes up to the first ancestor that still holds something. This node may be deleted.
    virtual void PruneUpward();

    // The walks.
    virtual bool Enter(RenderStats& stats);
    virtual bool Leave(RenderStats& stats);
    virtual bool Measure(bool& descend, uint32_t& maxVertexBytes, uint32_t& maxIndices);
    virtual bool EndMeasure(uint32_t maxVertexBytes, uint32_t maxIndices);
    virtual void PrepareStatic(bool& descend);
    virtual void PrepareDynamic() {}
    virtual bool Acquire() { return true; }
    virtual void Release() {}
    // Registers that leaf holds part; the root keeps the registrations, every other node asks its parent.
    virtual void GetRootService(MeshPart& part, Node& leaf);

    // Visits this node and, when the visitor descends, its group's children.
    bool Accept(NodeVisitor& visitor);
    // RemoveLeafPart on every node from the root down to this one, pruning each that reports itself empty.
    void RemoveAlongPath(MeshPart& part);

    NodeGroup* GetGroup() const { return group_.get(); }
    // Gives a plain node (one that is only a holder of its group) its group.
    void SetGroup(std::unique_ptr<NodeGroup> group);
    // The node whose group holds this one; null for the root.
    Node* GetParent() const;

    bool isObjectLevel = false;
    bool isMeshLevel = false;
    bool hasContent = true;

protected:
    // Adds the object's mesh (found by its frame id), then its children, depth first.
    bool ExpandObjectTree(ModelObject& object);
    bool CollapseObjectTree(ModelObject& object);

    SceneGraph& owner_;
    NodeGroup* parentGroup_;
    std::unique_ptr<NodeGroup> group_;
};

}  // namespace quill
