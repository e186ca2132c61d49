#pragma once
// The level of specular highlights, on or off, above the texture levels.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class SpecularNode : public Node {
public:
    SpecularNode(SceneGraph& owner, NodeGroup* parentGroup, bool specular, uint32_t mask);

    bool Enter(RenderStats& stats) override;

    bool GetKey() const { return key_; }

private:
    bool key_;
};

}  // namespace quill
