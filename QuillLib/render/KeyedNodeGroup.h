#pragma once
// The group that sorts by render state: it computes a key from each object, part or mesh handed to it, keeps
// one child per distinct key (made on the first object with that key, dropped when a removal empties it)
// and visits the children in ascending key order, so that everything with equal state is drawn together and
// each state change is made once per child. Each subclass reads one key (the others stay 0) and makes the
// child kind of its level.
//
// Threads: the thread that drives the scenes.
#include <iterator>
#include <map>
#include <memory>

#include "QuillLib/render/Node.h"
#include "QuillLib/render/NodeGroup.h"

namespace quill {

template <typename Key>
class KeyedNodeGroup : public NodeGroup {
public:
    using NodeGroup::NodeGroup;

    bool Accept(NodeVisitor& visitor) override {
        for (auto& [key, child] : children_) {
            if (!child->Accept(visitor)) return false;
        }
        return true;
    }

    bool AddObjectTree(ModelObject& object) override {
        return ChildFor(GetObjectTreeKey(object), nullptr).AddObjectTree(object);
    }
    bool RemoveObjectTree(ModelObject& object) override {
        return RemoveThrough(GetObjectTreeKey(object), [&](Node& child) { return child.RemoveObjectTree(object); });
    }
    bool AddObject(SpriteObject& sprite) override { return ChildFor(GetObjectKey(sprite), nullptr).AddObject(sprite); }
    bool RemoveObject(SpriteObject& sprite) override {
        return RemoveThrough(GetObjectKey(sprite), [&](Node& child) { return child.RemoveObject(sprite); });
    }
    bool AddMesh(Mesh& mesh) override { return ChildFor(GetMeshKey(mesh), nullptr).AddMesh(mesh); }
    bool RemoveMesh(Mesh& mesh) override {
        return RemoveThrough(GetMeshKey(mesh), [&](Node& child) { return child.RemoveMesh(mesh); });
    }
    bool AddPart(MeshPart& part) override { return ChildFor(GetPartKey(part), &part).AddPart(part); }
    bool RemovePart(MeshPart& part) override {
        return RemoveThrough(GetPartKey(part), [&](Node& child) { return child.RemovePart(part); });
    }

    bool IsEmpty() const override { return children_.empty(); }
    void PruneEmpty() override {
        for (auto child = children_.begin(); child != children_.end();) {
            child = child->second->IsEmpty() ? children_.erase(child) : std::next(child);
        }
    }

    const std::map<Key, std::unique_ptr<Node>>& Children() const { return children_; }

protected:
    virtual Key GetPartKey(const MeshPart& /*part*/) const { return 0; }
    virtual Key GetMeshKey(const Mesh& /*mesh*/) const { return 0; }
    virtual Key GetObjectKey(const SpriteObject& /*sprite*/) const { return 0; }
    virtual Key GetObjectTreeKey(const ModelObject& /*object*/) const { return 0; }
    // The child of the level for a key; part is the part that brought the key, null for objects and meshes.
    virtual std::unique_ptr<Node> CreateChildNode(Key key, const MeshPart* part) = 0;

    std::map<Key, std::unique_ptr<Node>> children_;

private:
    Node& ChildFor(Key key, const MeshPart* part) {
        auto found = children_.find(key);
        if (found == children_.end()) found = children_.emplace(key, CreateChildNode(key, part)).first;
        return *found->second;
    }

    // Removal through the key's child; an emptied child is dropped. An absent key changes nothing.
    template <class Remove>
    bool RemoveThrough(Key key, Remove remove) {
        const auto found = children_.find(key);
        if (found != children_.end() && remove(*found->second)) children_.erase(found);
        return IsEmpty();
    }
};

}  // namespace quill
