#pragma once
// Sorts whole objects by their draw order and draws the layers from the highest order to the lowest.
#include <cstdint>

#include "QuillLib/render/KeyedNodeGroup.h"

namespace quill {

class ObjectLayerGroup : public KeyedNodeGroup<int16_t> {
public:
    using KeyedNodeGroup::KeyedNodeGroup;

    bool Accept(NodeVisitor& visitor) override;

protected:
    int16_t GetObjectTreeKey(const ModelObject& object) const override;
    std::unique_ptr<Node> CreateChildNode(int16_t key, const MeshPart* part) override;
};

}  // namespace quill
