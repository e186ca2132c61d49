#pragma once
// The level of how parts are lit: unlit (lights off, full ambient), lit by the scene's lights (directional
// ones only without a light map), or by the ambient colour alone.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class LightSetNode : public Node {
public:
    // A lit level splits its parts by specular highlights before the texture levels.
    LightSetNode(SceneGraph& owner, NodeGroup* parentGroup, bool lit, bool unlit, uint32_t mask);

    bool Enter(RenderStats& stats) override;

    bool IsLit() const { return lit_ && !unlit_; }
    bool IsUnlit() const { return unlit_; }

private:
    bool lit_;
    bool unlit_;
    uint32_t mask_;
};

}  // namespace quill
