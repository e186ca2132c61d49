#pragma once
// The level of the alpha mode: mode 0 holds opaque objects, broken into parts and sorted by vertex layout
// (and below that by every other state); mode 1 holds blended objects and objects with a cull mode of their
// own, kept whole in draw-order layers.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class AlphaModeNode : public Node {
public:
    AlphaModeNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t key);

    // Mode 0 draws its parts from shared buffers without a world matrix: each object's vertices are moved into
    // world space first (and follow the object's later moves); skinned meshes are skinned in world space.
    bool AddObjectTree(ModelObject& object) override;
    bool Enter(RenderStats& stats) override;

    uint32_t GetKey() const { return key_; }

private:
    uint32_t key_;
};

}  // namespace quill
