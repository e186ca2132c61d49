#pragma once
// Spreads the mesh parts of model-object trees over static batches: a part joins the first batch that already
// holds its geometry, else the first that can take it, else a new one. The device owns one for the game's
// own models (the table, the previews), which register their trees, prepare the buffers and upload before
// drawing; each blended-object leaf of a render tree keeps one too. Parts of skinned or animated meshes stay
// out: they are drawn through the dynamic buffers.
//
// Threads: the device's thread.
#include <map>
#include <memory>
#include <vector>

#include "QuillLib/render/StaticBatch.h"
#include "QuillLib/render/StaticGeometry.h"

namespace quill {

class MeshPart;
class ModelObject;
class SceneRenderDevice;

class StaticBatcher : public StaticGeometry {
public:
    explicit StaticBatcher(SceneRenderDevice& device) : device_(device) {}

    // The parts of every object of the tree (the mesh each object's frame id picks), depth first; false stops.
    bool AddObjectTree(ModelObject& object);
    bool RemoveObjectTree(ModelObject& object);
    bool UploadObjectTree(ModelObject& object);
    // Makes every batch's buffers exist and fit; reallocated tells whether any was made or grown.
    bool PrepareBuffers(bool& reallocated);
    void ResetAllHandles(bool clearParts);

    bool AddPart(MeshPart& part);
    // False for a part that was never added.
    bool RemovePart(MeshPart& part);
    bool UploadPart(MeshPart& part);
    // After the pool released every buffer: new buffers for every batch and every part uploaded again.
    bool UploadAllAgain() override;

    const std::vector<std::unique_ptr<StaticBatch>>& Batches() const { return batches_; }
    // Null for a part that is not batched.
    StaticBatch* BatchOf(MeshPart& part) const;

private:
    // Parts the batches leave alone: skinned or animated geometry, parts of meshes that were never placed.
    static bool StaysOut(const MeshPart& part);
    template <class Visit>
    static bool ForEachPart(ModelObject& object, Visit visit);
    StaticBatch& BatchFor(const MeshPart& part);

    SceneRenderDevice& device_;
    std::vector<std::unique_ptr<StaticBatch>> batches_;
    std::map<MeshPart*, StaticBatch*> partBatch_;
};

}  // namespace quill
