#pragma once
// The level of one static batch: its parts' vertices and indices live in the batch's shared buffers, which
// this node makes fit before a draw (the leaves below then pack their parts into them) and makes current
// while its children draw.
#include <cstdint>

#include "QuillLib/render/Node.h"
#include "QuillLib/render/StaticBatch.h"

namespace quill {

class StaticBatchNode : public Node {
public:
    StaticBatchNode(SceneGraph& owner, NodeGroup* parentGroup, uint32_t layout, uint32_t stride);

    bool AddPart(MeshPart& part) override;
    bool RemoveLeafPart(MeshPart& part) override;
    // The pool's buffers are gone: forget ours; the leaves are packed again once new ones exist.
    void PrepareStatic(bool& descend) override;
    // Makes the buffers fit, descending only when they were made anew, and makes them current.
    bool Measure(bool& descend, uint32_t& maxVertexBytes, uint32_t& maxIndices) override;
    bool Enter(RenderStats& stats) override;

    StaticBatch& GetBatch() { return batch_; }

private:
    StaticBatch batch_;
};

}  // namespace quill
