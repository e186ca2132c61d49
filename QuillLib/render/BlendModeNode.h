#pragma once
// The level of a texture-kind mask: sets the texture-stage blend cascade of that mask.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class BlendModeNode : public Node {
public:
    BlendModeNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t mask, bool hasNormals);

    bool Enter(RenderStats& stats) override;

    uint32_t GetKey() const { return key_; }

private:
    uint32_t key_;
};

}  // namespace quill
