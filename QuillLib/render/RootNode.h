#pragma once
// The root of a scene's render tree. Entering it switches the lights to the scene's; it keeps, for every
// part, the leaves that hold it, so that removing an object finds its parts' leaves again and removes the
// parts along their paths, pruning what they leave empty. After the measure walk it makes the dynamic buffers
// large enough for the largest dynamic part.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <map>

#include "QuillLib/render/Node.h"

namespace quill {

class RenderScene;

class RootNode : public Node {
public:
    RootNode(SceneGraph& owner, RenderScene* scene);
    // Releases the device's buffers (the next scene builds its own), then the tree.
    ~RootNode() override;

    // Adds the object, then drops every branch the addition left empty (an object without meshes, or one
    // of a blend mode that is not drawn, leaves nothing behind).
    bool AddObjectTree(ModelObject& object) override;
    // Removes every registration of the part: the part leaves every leaf that holds it. A part that was
    // never added is ignored. Answers whether the root is empty.
    bool RemovePart(MeshPart& part) override;
    // Removes the parts of every object of the tree through RemovePart.
    bool RemoveObjectTree(ModelObject& object) override;
    void GetRootService(MeshPart& part, Node& leaf) override;
    bool Enter(RenderStats& stats) override;
    bool EndMeasure(uint32_t maxVertexBytes, uint32_t maxIndices) override;

    // The leaves that hold the part, in registration order.
    size_t CountRegistrations(const MeshPart& part) const;
    size_t CountRegistrations() const { return partMap_.size(); }

private:
    RenderScene* scene_;
    std::multimap<const MeshPart*, Node*> partMap_;
};

}  // namespace quill
