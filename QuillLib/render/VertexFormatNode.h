#pragma once
// The level of the vertex layout: sets the device's vertex format and the default cull mode; below it the
// parts are split between shared static buffers and the dynamic ones.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class VertexFormatNode : public Node {
public:
    VertexFormatNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t layout);

    bool Enter(RenderStats& stats) override;

    uint32_t GetKey() const { return key_; }

private:
    uint32_t key_;
};

}  // namespace quill
