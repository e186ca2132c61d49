#include "QuillLib/render/StaticBatcher.h"

#include <algorithm>

#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/resource/ModelObject.h"

namespace quill {

template <class Visit>
bool StaticBatcher::ForEachPart(ModelObject& object, Visit visit) {
    if (Mesh* mesh = object.GetAttachment()) {
        for (const SharedPtr<MeshPart>& part : mesh->parts) {
            if (!visit(*part)) return false;
        }
    }
    for (const SharedPtr<ModelObject>& child : object.Children()) {
        if (!ForEachPart(*child, visit)) return false;
    }
    return true;
}

bool StaticBatcher::StaysOut(const MeshPart& part) {
    return PartVertices(part) == nullptr || IsDynamicGeometry(part);
}

bool StaticBatcher::AddObjectTree(ModelObject& object) {
    return ForEachPart(object, [this](MeshPart& part) { return AddPart(part); });
}

bool StaticBatcher::RemoveObjectTree(ModelObject& object) {
    return ForEachPart(object, [this](MeshPart& part) { return StaysOut(part) || RemovePart(part); });
}

bool StaticBatcher::UploadObjectTree(ModelObject& object) {
    return ForEachPart(object, [this](MeshPart& part) { return UploadPart(part); });
}

StaticBatch& StaticBatcher::BatchFor(const MeshPart& part) {
    for (auto& batch : batches_) {
        if (batch->HoldsGeometryOf(part)) return *batch;
    }
    for (auto& batch : batches_) {
        if (batch->CanAccept(part)) return *batch;
    }
    batches_.push_back(std::make_unique<StaticBatch>(device_, false, 0, 0));
    return *batches_.back();
}

bool StaticBatcher::AddPart(MeshPart& part) {
    if (StaysOut(part)) return true;
    if (partBatch_.contains(&part)) return false;
    StaticBatch& batch = BatchFor(part);
    if (!batch.AddPart(part)) return false;
    partBatch_.emplace(&part, &batch);
    return true;
}

bool StaticBatcher::RemovePart(MeshPart& part) {
    const auto found = partBatch_.find(&part);
    if (found == partBatch_.end()) return false;
    StaticBatch* batch = found->second;
    partBatch_.erase(found);
    batch->RemovePart(part);
    if (batch->IsEmpty()) {
        std::erase_if(batches_, [batch](const std::unique_ptr<StaticBatch>& held) { return held.get() == batch; });
    }
    return true;
}

bool StaticBatcher::UploadPart(MeshPart& part) {
    if (StaysOut(part)) return true;
    StaticBatch* batch = BatchOf(part);
    return batch != nullptr && batch->Select() && batch->Upload(part);
}

bool StaticBatcher::PrepareBuffers(bool& reallocated) {
    reallocated = false;
    for (auto& batch : batches_) {
        bool made = false;
        if (!batch->EnsureBuffers(made)) return false;
        reallocated = reallocated || made;
    }
    return true;
}

void StaticBatcher::ResetAllHandles(bool clearParts) {
    for (auto& batch : batches_) batch->ResetHandles(clearParts);
}

bool StaticBatcher::UploadAllAgain() {
    ResetAllHandles(true);
    bool reallocated = false;
    if (!PrepareBuffers(reallocated)) return false;
    for (const auto& [part, batch] : partBatch_) {
        if (!batch->Select() || !batch->Upload(*part)) return false;
    }
    return true;
}

StaticBatch* StaticBatcher::BatchOf(MeshPart& part) const {
    const auto found = partBatch_.find(&part);
    return found == partBatch_.end() ? nullptr : found->second;
}

}  // namespace quill
