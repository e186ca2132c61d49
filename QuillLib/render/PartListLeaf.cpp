#include "QuillLib/render/PartListLeaf.h"

#include <algorithm>

#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/resource/ModelObject.h"

namespace quill {
namespace {

constexpr uint32_t kDefaultCullAlso = 0xFFFFFFFE;

}  // namespace

PartListLeaf::PartListLeaf(SceneGraph& owner, NodeGroup* parentGroup, int16_t drawOrder)
    : Node(owner, parentGroup), drawOrder_(drawOrder), batcher_(owner.GetDevice()) {
    isObjectLevel = isMeshLevel = true;
}

bool PartListLeaf::AddObjectTree(ModelObject& object) {
    captured_.transform = object.pose.fixedTransform != 0 ? nullptr : &object.pose.world.matrix;
    captured_.alpha = object.alpha;
    captured_.mirror = object.pose.mirror;
    captured_.cull = object.cullMode;
    return Node::AddObjectTree(object);
}

bool PartListLeaf::AddMesh(Mesh& mesh) {
    if (mesh.renderData) {
        // A mesh drawn in the mirror pass is mirrored whatever its object says; one already in world space
        // needs no world matrix.
        if (mesh.renderData->reflection != 0) captured_.mirror = 1;
        if (mesh.renderData->baked != 0) captured_.transform = nullptr;
    }
    captured_.hasNormals = (mesh.vertices && (mesh.vertices->LayoutFlags() & VertexData::kNormal) != 0) ? 1 : 0;
    return Node::AddMesh(mesh);
}

void PartListLeaf::ResetDrawList() {
    if (!KeepsDrawList()) return;
    drawList_.clear();
    drawList_.reserve(entries_.size());
}

bool PartListLeaf::AddPart(MeshPart& part) {
    auto entry = std::make_unique<PartEntry>(part, captured_.transform, captured_.alpha, captured_.mirror,
                                             captured_.hasNormals, captured_.cull);
    entry->Acquire();
    entries_.push_back(std::move(entry));
    batcher_.AddPart(part);
    GetRootService(part, *this);
    ResetDrawList();
    return true;
}

bool PartListLeaf::RemoveLeafPart(MeshPart& part) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const std::unique_ptr<PartEntry>& entry) { return entry->part == &part; });
    if (found != entries_.end()) {
        entries_.erase(found);
        batcher_.RemovePart(part);
    }
    ResetDrawList();
    return IsEmpty();
}

void PartListLeaf::UpdateContent() {
    const uint32_t excluded = owner_.excludedTextureId;
    if (!KeepsDrawList()) {
        hasContent = std::any_of(entries_.begin(), entries_.end(),
                                 [&](const std::unique_ptr<PartEntry>& entry) { return IsDrawable(*entry->part, excluded); });
        return;
    }
    drawList_.clear();
    for (const auto& entry : entries_) {
        if (IsDrawable(*entry->part, excluded)) drawList_.push_back(entry.get());
    }
    hasContent = !drawList_.empty();
    std::stable_sort(drawList_.begin(), drawList_.end(),
                     [](const PartEntry* a, const PartEntry* b) { return a->Depth() > b->Depth(); });
}

bool PartListLeaf::Measure(bool& descend, uint32_t& /*maxVertexBytes*/, uint32_t& /*maxIndices*/) {
    descend = false;
    bool reallocated = false;
    if (!batcher_.PrepareBuffers(reallocated)) return false;
    if (!reallocated) return true;
    for (const auto& entry : entries_) {
        if (!batcher_.UploadPart(*entry->part)) return false;
    }
    return true;
}

void PartListLeaf::PrepareStatic(bool& descend) {
    descend = false;
    batcher_.ResetAllHandles(true);
}

bool PartListLeaf::DrawEntry(PartEntry& entry, RenderStats& stats) {
    SceneRenderDevice& device = owner_.GetDevice();
    device.mirrorFlag = device.mirrorPass != 0 ? entry.mirror : 0;
    const bool defaultCull = entry.cull == PartEntry::kDefaultCull || entry.cull == kDefaultCullAlso;
    if (!device.SetWorld(entry.transform) || !device.SetMaterialAlpha(entry.alpha) ||
        !device.SetCullMode(defaultCull ? device.defaultCullMode : static_cast<int32_t>(entry.cull)) ||
        !device.DrawMeshPart(*entry.part, nullptr, false)) {
        return false;
    }
    ++stats[RenderStats::kFaceSets];
    ++stats[RenderStats::kDrawCalls];
    stats[RenderStats::kVertices] += PartVertexCount(*entry.part);
    return true;
}

bool PartListLeaf::Enter(RenderStats& stats) {
    SceneRenderDevice& device = owner_.GetDevice();
    const uint8_t mirrorFlag = device.mirrorFlag;
    bool drawn = true;
    if (KeepsDrawList()) {
        for (PartEntry* entry : drawList_) {
            if (!(drawn = DrawEntry(*entry, stats))) break;
        }
    } else {
        for (const auto& entry : entries_) {
            if (!IsDrawable(*entry->part, owner_.excludedTextureId)) continue;
            if (!(drawn = DrawEntry(*entry, stats))) break;
        }
    }
    device.mirrorFlag = mirrorFlag;
    return drawn;
}

bool PartListLeaf::Acquire() {
    for (const auto& entry : entries_) {
        if (!entry->Acquire()) return false;
    }
    return true;
}

void PartListLeaf::Release() {
    for (const auto& entry : entries_) entry->Release();
}

}  // namespace quill
