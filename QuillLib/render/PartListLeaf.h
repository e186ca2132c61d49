#pragma once
// The leaf of one draw-order layer of blended objects (and objects with a cull mode of their own): it keeps
// every part of its objects with the state of its object and draws them one by one with that state, from the
// shared static buffers of its own batcher. The layer of draw order 0 draws its visible parts sorted by
// depth, farthest first, so that blended surfaces overlap correctly.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/render/Node.h"
#include "QuillLib/render/PartEntry.h"
#include "QuillLib/render/StaticBatcher.h"

namespace quill {

struct Matrix4;

class PartListLeaf : public Node {
public:
    PartListLeaf(SceneGraph& owner, NodeGroup* parentGroup, int16_t drawOrder);

    // Takes the object's state for its parts, then its mesh; the children follow with their own state.
    bool AddObjectTree(ModelObject& object) override;
    bool AddMesh(Mesh& mesh) override;
    bool AddPart(MeshPart& part) override;
    bool RemoveLeafPart(MeshPart& part) override;
    bool IsEmpty() const override { return entries_.empty(); }
    void UpdateContent() override;
    bool Measure(bool& descend, uint32_t& maxVertexBytes, uint32_t& maxIndices) override;
    void PrepareStatic(bool& descend) override;
    bool Enter(RenderStats& stats) override;
    bool Acquire() override;
    void Release() override;

    int16_t GetDrawOrder() const { return drawOrder_; }
    bool KeepsDrawList() const { return drawOrder_ == 0; }
    const std::vector<std::unique_ptr<PartEntry>>& Entries() const { return entries_; }
    const std::vector<PartEntry*>& DrawList() const { return drawList_; }

private:
    // What every new entry copies from the object (and mesh) being added.
    struct CapturedState {
        const Matrix4* transform = nullptr;
        float alpha = 1.0f;
        uint8_t mirror = 0;
        uint32_t cull = PartEntry::kDefaultCull;
        uint8_t hasNormals = 0;
    };

    bool DrawEntry(PartEntry& entry, RenderStats& stats);
    void ResetDrawList();

    int16_t drawOrder_;
    std::vector<std::unique_ptr<PartEntry>> entries_;
    std::vector<PartEntry*> drawList_;
    CapturedState captured_;
    StaticBatcher batcher_;
};

}  // namespace quill
