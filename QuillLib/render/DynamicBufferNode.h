#pragma once
// The level of geometry written every frame: its parts are drawn one by one through the device's dynamic
// buffers, which the measure walk makes large enough for the largest part below.
#include <cstdint>

#include "QuillLib/render/Node.h"

namespace quill {

class DynamicBufferNode : public Node {
public:
    DynamicBufferNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t layout, uint32_t stride);

    bool AddPart(MeshPart& part) override;
    bool Measure(bool& descend, uint32_t& maxVertexBytes, uint32_t& maxIndices) override;
    bool Enter(RenderStats& stats) override;


private:
    uint32_t key_;
    uint32_t stride_;
    uint32_t maxVertexBytes_ = 0;
    uint32_t maxIndices_ = 0;
};

}  // namespace quill
