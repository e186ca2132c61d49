#include "QuillLib/render/BatchLeaf.h"

#include <algorithm>

#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/render/RenderStats.h"
#include "QuillLib/render/SceneGraph.h"
#include "QuillLib/resource/IndexBlock.h"
#include "platform/gfx/Device.h"

namespace quill {

bool BatchLeaf::AddPart(MeshPart& part) {
    if (VertexData* vertices = PartVertices(part)) vertices->MarkChanged();
    parts_.push_back(Entry{&part});
    owner_.GetDevice().GetBufferPool().SetValid(false);
    GetRootService(part, *this);
    return true;
}

bool BatchLeaf::RemoveLeafPart(MeshPart& part) {
    const auto found = std::find_if(parts_.begin(), parts_.end(), [&](const Entry& entry) { return entry.part == &part; });
    if (found != parts_.end()) parts_.erase(found);
    owner_.GetDevice().GetBufferPool().SetValid(false);
    return IsEmpty();
}

void BatchLeaf::UpdateContent() {
    const uint32_t excluded = owner_.excludedTextureId;
    hasContent = std::any_of(parts_.begin(), parts_.end(), [&](const Entry& entry) { return IsDrawable(*entry.part, excluded); });
}

bool BatchLeaf::CurrentBuffersAreDynamic() const {
    const BufferPool& pool = owner_.GetDevice().GetBufferPool();
    const VertexBuffer* vertices = pool.GetVertexBuffer(pool.GetSelectedVertexBuffer());
    const IndexBuffer* indices = pool.GetIndexBuffer(pool.GetSelectedIndexBuffer());
    return (vertices != nullptr && vertices->IsDynamic()) || (indices != nullptr && indices->IsDynamic());
}

bool BatchLeaf::Measure(bool& descend, uint32_t& /*maxVertexBytes*/, uint32_t& /*maxIndices*/) {
    if (CurrentBuffersAreDynamic()) return true;
    // Ranges are rebuilt from scratch on every packing: the buffers were filled anew.
    ranges_.clear();
    BufferPool& pool = owner_.GetDevice().GetBufferPool();
    VertexBuffer* vertexBuffer = pool.GetVertexBuffer(pool.GetSelectedVertexBuffer());
    IndexBuffer* indexBuffer = pool.GetIndexBuffer(pool.GetSelectedIndexBuffer());
    if (vertexBuffer == nullptr) return false;
    for (Entry& entry : parts_) {
        VertexData* vertices = PartVertices(*entry.part);
        if (vertices == nullptr) return false;
        uint32_t first = 0;
        const int32_t hint = vertexBuffer->Append(*vertices, first, vertices->UploadState());
        if (hint < 0) return false;
        vertices->SetUploadState(hint);
        entry.vertexStart = first;
        entry.vertexEnd = first + vertices->VertexCount();
    }
    std::sort(parts_.begin(), parts_.end(), [](const Entry& a, const Entry& b) { return a.vertexStart < b.vertexStart; });

    Range range;
    for (const Entry& entry : parts_) {
        const IndexBlock* indices = PartIndices(*entry.part);
        if (indices == nullptr) continue;
        if (range.baseVertex == kNotPlaced) {
            range.baseVertex = entry.vertexStart;
        } else if (entry.vertexEnd >= range.baseVertex + kRangeSpan) {
            ranges_.push_back(range);
            range = Range{};
            range.baseVertex = entry.vertexStart;
        }
        const uint32_t offset = entry.vertexStart - range.baseVertex;
        const IndexChunk chunk = IndexChunkOf(*indices);
        uint32_t firstIndex = 0;
        if (indexBuffer == nullptr || indexBuffer->Append(chunk, offset, firstIndex, -1) < 0) return false;
        if (range.startIndex == kNotPlaced) range.startIndex = firstIndex;
        range.indexCount += static_cast<uint32_t>(chunk.indices.size());
        range.minVertex = std::min(range.minVertex, static_cast<uint16_t>(chunk.lowest + offset));
        range.maxVertex = std::max(range.maxVertex, static_cast<uint16_t>(chunk.highest + offset));
    }
    if (range.baseVertex != kNotPlaced) ranges_.push_back(range);
    descend = false;
    return true;
}

bool BatchLeaf::DrawRanges(RenderStats& stats) {
    platform::gfx::Device* device = owner_.GetDevice().GetGfxDevice();
    if (device == nullptr) return false;
    for (const Range& range : ranges_) {
        if (range.indexCount % 3 != 0 || range.maxVertex < range.minVertex) continue;
        const uint32_t vertexCount = static_cast<uint32_t>(range.maxVertex) - range.minVertex + 1;
        if (!platform::gfx::Succeeded(device->DrawIndexedPrimitive(platform::gfx::PrimitiveType::TriangleList,
                                                                   static_cast<int32_t>(range.baseVertex), range.minVertex,
                                                                   vertexCount, range.startIndex, range.indexCount / 3))) {
            continue;
        }
        ++stats[RenderStats::kDrawCalls];
        stats[RenderStats::kVertices] += vertexCount;
    }
    // Plain parts have no indices to join a range: each is its own triangle list in the packed vertices.
    for (const Entry& entry : parts_) {
        const uint32_t count = entry.vertexEnd - entry.vertexStart;
        if (PartIndices(*entry.part) != nullptr || entry.vertexStart == kNotPlaced || count == 0 || count % 3 != 0) continue;
        if (!platform::gfx::Succeeded(device->DrawPrimitive(platform::gfx::PrimitiveType::TriangleList, entry.vertexStart,
                                                            count / 3))) {
            continue;
        }
        ++stats[RenderStats::kDrawCalls];
        stats[RenderStats::kVertices] += count;
    }
    stats[RenderStats::kFaceSets] += static_cast<uint32_t>(parts_.size());
    return true;
}

void BatchLeaf::DrawPartsAlone(RenderStats& stats) {
    SceneRenderDevice& device = owner_.GetDevice();
    for (const Entry& entry : parts_) {
        if (!IsDrawable(*entry.part, owner_.excludedTextureId)) continue;
        VertexData* vertices = PartVertices(*entry.part);
        const IndexBlock* indices = PartIndices(*entry.part);
        uint32_t drawn = 0;
        if (indices != nullptr) {
            IndexChunk chunk = IndexChunkOf(*indices);
            drawn = device.DrawIndexedTriangles(*vertices, chunk);
        } else {
            drawn = device.DrawTriangles(*vertices);
        }
        stats[RenderStats::kVertices] += drawn;
        ++stats[RenderStats::kFaceSets];
        ++stats[RenderStats::kDrawCalls];
    }
}

bool BatchLeaf::Enter(RenderStats& stats) {
    if (CurrentBuffersAreDynamic()) {
        DrawPartsAlone(stats);
    } else {
        DrawRanges(stats);
    }
    ++stats[RenderStats::kBatches];
    return true;
}

}  // namespace quill
