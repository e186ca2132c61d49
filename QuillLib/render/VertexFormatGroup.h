#pragma once
// Sorts parts by the vertex layout of their mesh.
#include <cstdint>

#include "QuillLib/render/KeyedNodeGroup.h"

namespace quill {

class VertexFormatGroup : public KeyedNodeGroup<uint32_t> {
public:
    using KeyedNodeGroup::KeyedNodeGroup;

protected:
    uint32_t GetPartKey(const MeshPart& part) const override;
    std::unique_ptr<Node> CreateChildNode(uint32_t key, const MeshPart* part) override;
};

}  // namespace quill
