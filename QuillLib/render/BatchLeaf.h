#pragma once
// The leaf at the bottom of a texture branch: the parts that share every state of their path. Below a
// static batch it packs their vertices and indices into the batch's buffers and cuts the indices into
// ranges whose vertices span fewer than 65,536 positions, so that each range is one indexed draw with 16-bit
// indices; below the dynamic buffers it draws its parts one by one.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <list>
#include <vector>

#include "QuillLib/render/Node.h"

namespace quill {

class BatchLeaf : public Node {
public:
    static constexpr uint32_t kNotPlaced = 0xFFFFFFFF;
    static constexpr uint32_t kRangeSpan = 0x10000;

    struct Entry {
        MeshPart* part = nullptr;
        uint32_t vertexStart = kNotPlaced;
        uint32_t vertexEnd = kNotPlaced;
    };

    struct Range {
        uint32_t baseVertex = kNotPlaced;
        uint32_t startIndex = kNotPlaced;
        uint32_t indexCount = 0;
        uint16_t minVertex = 0xFFFF;
        uint16_t maxVertex = 0;
    };

    BatchLeaf(SceneGraph& owner, NodeGroup* parentGroup) : Node(owner, parentGroup) {}

    // Marks the part's geometry as not placed, registers it with the root and has the next draw pack the
    // static buffers again.
    bool AddPart(MeshPart& part) override;
    // Takes out the first entry of the part; the static buffers are packed again.
    bool RemoveLeafPart(MeshPart& part) override;
    bool IsEmpty() const override { return parts_.empty(); }
    void UpdateContent() override;
    // Packs every part into the current static buffers and rebuilds the ranges from scratch; does nothing
    // while the current buffers are the dynamic ones.
    bool Measure(bool& descend, uint32_t& maxVertexBytes, uint32_t& maxIndices) override;
    bool Enter(RenderStats& stats) override;

    const std::vector<Entry>& Parts() const { return parts_; }
    const std::list<Range>& Ranges() const { return ranges_; }

private:
    bool CurrentBuffersAreDynamic() const;
    bool DrawRanges(RenderStats& stats);
    void DrawPartsAlone(RenderStats& stats);

    std::vector<Entry> parts_;
    std::list<Range> ranges_;
};

}  // namespace quill
