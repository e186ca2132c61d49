#include "QuillLib/render/VertexFormatGroup.h"

#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/render/VertexFormatNode.h"

namespace quill {

uint32_t VertexFormatGroup::GetPartKey(const MeshPart& part) const {
    return PartLayout(part);
}

std::unique_ptr<Node> VertexFormatGroup::CreateChildNode(uint32_t key, const MeshPart* /*part*/) {
    return std::make_unique<VertexFormatNode>(owner_, this, key);
}

}  // namespace quill
