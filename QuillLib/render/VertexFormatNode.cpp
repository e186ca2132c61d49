#include "QuillLib/render/VertexFormatNode.h"

#include "QuillLib/render/BufferSplitGroup.h"
#include "QuillLib/render/DeviceVertexFormat.h"
#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneGraph.h"

namespace quill {

VertexFormatNode::VertexFormatNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t layout)
    : Node(owner, parentGroup), key_(layout) {
    group_ = std::make_unique<BufferSplitGroup>(owner, this, layout, ConvertVertexFormat(layout).stride);
}

bool VertexFormatNode::Enter(RenderStats& stats) {
    SceneRenderDevice& device = owner_.GetDevice();
    if (!device.SetVertexFormat(key_) || !device.SetCullMode(device.defaultCullMode)) return false;
    ++stats[RenderStats::kVertexFormats];
    return true;
}

}  // namespace quill
