#include "QuillLib/render/StaticBatch.h"

#include <algorithm>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/DeviceVertexFormat.h"
#include "QuillLib/render/PartGeometry.h"
#include "QuillLib/render/SceneRenderDevice.h"
#include "QuillLib/resource/IndexBlock.h"

namespace quill {

StaticBatch::StaticBatch(SceneRenderDevice& device, bool perPartIndices, uint32_t vertexFormat, uint32_t stride)
    : device_(device), perPartIndices_(perPartIndices), vertexFormat_(vertexFormat), stride_(stride) {}

StaticBatch::~StaticBatch() {
    ReleaseBuffers();
    for (const auto& [geometry, holds] : geometries_) device_.staticPlacements.Drop(geometry);
    for (const auto& [record, holds] : indexRecords_) device_.staticPlacements.Drop(record);
}

bool StaticBatch::HoldOnce(std::map<const void*, uint32_t>& holds, const void* geometry) {
    return holds[geometry]++ == 0;
}

bool StaticBatch::DropOnce(std::map<const void*, uint32_t>& holds, const void* geometry) {
    const auto found = holds.find(geometry);
    if (found == holds.end()) return false;
    if (--found->second > 0) return false;
    holds.erase(found);
    return true;
}

bool StaticBatch::CanAccept(const MeshPart& part) const {
    const VertexData* vertices = PartVertices(part);
    if (vertices == nullptr) return false;
    if (geometries_.contains(vertices)) return true;
    if (vertexFormat_ != 0 && vertices->LayoutFlags() != vertexFormat_) return false;
    const uint32_t stride = vertexFormat_ != 0 ? stride_ : ConvertVertexFormat(vertices->LayoutFlags()).stride;
    const uint64_t bytes = static_cast<uint64_t>(vertices->VertexCount()) * stride;
    return vertexBytes_ == 0 || vertexBytes_ + bytes <= capacity_;
}

bool StaticBatch::HoldsGeometryOf(const MeshPart& part) const {
    const IndexBlock* indices = PartIndices(part);
    return geometries_.contains(PartVertices(part)) && (indices == nullptr || indexRecords_.contains(indices));
}

bool StaticBatch::AddPart(MeshPart& part) {
    if (!CanAccept(part) || !parts_.insert(&part).second) return false;
    VertexData& vertices = *PartVertices(part);
    if (vertexFormat_ == 0) {
        vertexFormat_ = vertices.LayoutFlags();
        stride_ = ConvertVertexFormat(vertexFormat_).stride;
    }
    if (HoldOnce(geometries_, &vertices)) {
        const uint64_t bytes = static_cast<uint64_t>(vertices.VertexCount()) * stride_;
        if (vertexBytes_ == 0 && bytes > capacity_) capacity_ = static_cast<uint32_t>(bytes);
        vertexBytes_ += static_cast<uint32_t>(bytes);
        device_.staticPlacements.Hold(&vertices);
    }
    device_.staticPlacements.Reset(&vertices);
    if (const IndexBlock* indices = PartIndices(part)) {
        const bool first = HoldOnce(indexRecords_, indices);
        if (first) device_.staticPlacements.Hold(indices);
        if (first || perPartIndices_) indexCount_ += static_cast<uint32_t>(indices->indices.size());
        device_.staticPlacements.Reset(indices);
    }
    prepared_ = false;
    return true;
}

bool StaticBatch::RemovePart(MeshPart& part) {
    if (parts_.erase(&part) == 0) return false;
    const VertexData* vertices = PartVertices(part);
    device_.staticPlacements.Reset(vertices);
    if (DropOnce(geometries_, vertices)) {
        vertexBytes_ -= std::min(vertexBytes_, vertices->VertexCount() * stride_);
        device_.staticPlacements.Drop(vertices);
    }
    if (const IndexBlock* indices = PartIndices(part)) {
        device_.staticPlacements.Reset(indices);
        const bool last = DropOnce(indexRecords_, indices);
        if (last) device_.staticPlacements.Drop(indices);
        if (last || perPartIndices_) {
            indexCount_ -= std::min(indexCount_, static_cast<uint32_t>(indices->indices.size()));
        }
    }
    prepared_ = false;
    return true;
}

bool StaticBatch::EnsureVertexBuffer(bool& reallocated) {
    BufferPool& pool = device_.GetBufferPool();
    if (vertexBuffer_ != kNoBuffer && OwnVertexBuffer() == nullptr) {
        vertexBuffer_ = kNoBuffer;  // the pool let our buffer go
        vertexBufferRef_.reset();
    }
    if (vertexBuffer_ == kNoBuffer) {
        const uint32_t bytes = std::min(vertexBytes_, capacity_);
        if (bytes == 0) return true;
        if (pool.GetDevice() == nullptr) return false;
        auto buffer = make_shared<VertexBuffer>(*pool.GetDevice(), vertexFormat_, bytes, false);
        if (!buffer->Create()) return false;
        vertexBuffer_ = pool.AddVertexBuffer(buffer);
        if (vertexBuffer_ == kNoBuffer) return false;
        vertexBufferRef_ = buffer;
        reallocated = true;
        return true;
    }
    if (prepared_) return true;
    VertexBuffer* buffer = OwnVertexBuffer();
    if (buffer == nullptr) return false;
    if (capacity_ > buffer->GetCapacity()) {
        if (!buffer->Resize(capacity_)) return false;
        reallocated = true;
    }
    buffer->Rewind(true);
    return true;
}

bool StaticBatch::EnsureIndexBuffer(bool& reallocated) {
    BufferPool& pool = device_.GetBufferPool();
    if (indexBuffer_ != kNoBuffer && OwnIndexBuffer() == nullptr) {
        indexBuffer_ = kNoBuffer;
        indexBufferRef_.reset();
    }
    const uint32_t bytes = indexCount_ * 2;
    if (indexBuffer_ == kNoBuffer) {
        if (bytes == 0) return true;
        if (pool.GetDevice() == nullptr) return false;
        auto buffer = make_shared<IndexBuffer>(*pool.GetDevice(), bytes, false);
        if (!buffer->Create()) return false;
        indexBuffer_ = pool.AddIndexBuffer(buffer);
        if (indexBuffer_ == kNoBuffer) return false;
        indexBufferRef_ = buffer;
        reallocated = true;
        return true;
    }
    if (prepared_) return true;
    IndexBuffer* buffer = OwnIndexBuffer();
    if (buffer == nullptr) return false;
    if (bytes > buffer->GetCapacity()) {
        if (!buffer->Resize(bytes)) return false;
        reallocated = true;
    }
    buffer->Rewind(true);
    return true;
}

bool StaticBatch::EnsureBuffers(bool& reallocated) {
    reallocated = false;
    if (capacity_ != 0 && !EnsureVertexBuffer(reallocated)) return false;
    if (!EnsureIndexBuffer(reallocated)) return false;
    if (!prepared_) ResetPlacements();
    prepared_ = true;
    return true;
}

VertexBuffer* StaticBatch::OwnVertexBuffer() const {
    VertexBuffer* buffer = device_.GetBufferPool().GetVertexBuffer(vertexBuffer_);
    return buffer != nullptr && buffer == vertexBufferRef_.get() ? buffer : nullptr;
}

IndexBuffer* StaticBatch::OwnIndexBuffer() const {
    IndexBuffer* buffer = device_.GetBufferPool().GetIndexBuffer(indexBuffer_);
    return buffer != nullptr && buffer == indexBufferRef_.get() ? buffer : nullptr;
}

bool StaticBatch::Upload(MeshPart& part) {
    VertexData* vertices = PartVertices(part);
    StaticPlacements::Placement* vertexPlace = device_.staticPlacements.Find(vertices);
    VertexBuffer* vertexBuffer = OwnVertexBuffer();
    if (vertices == nullptr || vertexPlace == nullptr || vertexBuffer == nullptr) return false;
    if (vertexPlace->first == StaticPlacements::kNotUploaded || vertexPlace->buffer != vertexBuffer_) {
        uint32_t first = 0;
        if (vertexBuffer->Append(*vertices, first, -1) < 0) return false;
        vertexPlace->first = first;
    }
    vertexPlace->buffer = vertexBuffer_;
    const IndexBlock* indices = PartIndices(part);
    if (indices == nullptr) return true;
    StaticPlacements::Placement* indexPlace = device_.staticPlacements.Find(indices);
    IndexBuffer* indexBuffer = OwnIndexBuffer();
    if (indexPlace == nullptr || indexBuffer == nullptr) return false;
    if (indexPlace->first == StaticPlacements::kNotUploaded || indexPlace->buffer != indexBuffer_) {
        const IndexChunk chunk = IndexChunkOf(*indices);
        uint32_t first = 0;
        if (indexBuffer->Append(chunk, 0, first, -1) < 0) return false;
        indexPlace->first = first;
    }
    indexPlace->buffer = indexBuffer_;
    return true;
}

void StaticBatch::ResetPlacements() {
    for (const auto& [geometry, holds] : geometries_) device_.staticPlacements.Reset(geometry);
    for (const auto& [record, holds] : indexRecords_) device_.staticPlacements.Reset(record);
}

void StaticBatch::ResetHandles(bool clearParts) {
    vertexBuffer_ = indexBuffer_ = kNoBuffer;
    vertexBufferRef_.reset();
    indexBufferRef_.reset();
    if (clearParts) ResetPlacements();
}

void StaticBatch::ReleaseBuffers() {
    if (vertexBufferRef_) vertexBufferRef_->Release();
    if (indexBufferRef_) indexBufferRef_->Release();
    ResetHandles(true);
}

bool StaticBatch::Select() {
    BufferPool& pool = device_.GetBufferPool();
    if (OwnVertexBuffer() == nullptr || !pool.SelectVertexBuffer(vertexBuffer_, vertexFormat_)) return false;
    if (indexBuffer_ == kNoBuffer) return true;
    return OwnIndexBuffer() != nullptr && pool.SelectIndexBuffer(indexBuffer_);
}

}  // namespace quill
