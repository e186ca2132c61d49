#pragma once
// The level of one textured material: applies what the material changes with the clock (its texture
// coordinates and bump matrix). Materials without a texture share the level without a material.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class Material;

class TimedEffectNode : public Node {
public:
    // Below it: the bump stage levels when the mask has the bump kind (bit 0x20), else the lighting split.
    TimedEffectNode(SceneGraph& owner, NodeGroup* parentGroup, Material* material, uint32_t mask, bool hasNormals);

    bool Enter(RenderStats& stats) override;

    Material* GetMaterial() const { return material_; }

private:
    Material* material_;
};

}  // namespace quill
