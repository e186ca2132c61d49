#pragma once
// Mesh parts of one vertex format whose geometry is copied once into a shared static vertex buffer and index
// buffer of the device's pool, so that many parts are drawn from one buffer pair. The batch counts the bytes
// of the distinct vertex data and the indices of its parts up to a capacity (a single larger geometry gets a
// batch of its own size), makes its buffers fit on demand, and uploads parts into them. Where each geometry
// landed is kept in the device's static placements while the batch holds it.
//
// Threads: the device's thread.
#include <cstdint>
#include <map>
#include <set>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/render/IndexBuffer.h"
#include "QuillLib/render/VertexBuffer.h"

namespace quill {

class MeshPart;
class SceneRenderDevice;

class StaticBatch {
public:
    static constexpr uint32_t kDefaultCapacity = 0x200000;
    static constexpr uint16_t kNoBuffer = 0xFFFF;

    // perPartIndices: every part's indices are counted, even when the batch already holds its index block
    // (the render tree appends them per part, rebased).
    StaticBatch(SceneRenderDevice& device, bool perPartIndices, uint32_t vertexFormat, uint32_t stride);
    ~StaticBatch();
    StaticBatch(const StaticBatch&) = delete;
    StaticBatch& operator=(const StaticBatch&) = delete;

    // Whether the part's vertex data is already here, or is of the batch's format and fits.
    bool CanAccept(const MeshPart& part) const;
    bool AddPart(MeshPart& part);
    bool RemovePart(MeshPart& part);
    // Makes the buffers exist and fit; reallocated tells whether one was made or grown. A batch changed since
    // the last call rewinds its buffers and marks its geometry as not uploaded.
    bool EnsureBuffers(bool& reallocated);
    // Copies the part's vertices and indices into the current buffers, once per geometry.
    bool Upload(MeshPart& part);
    // Forgets the buffers without releasing them (the pool has let them go); clearParts also marks the
    // geometry as not uploaded.
    void ResetHandles(bool clearParts);
    void ReleaseBuffers();
    // Makes the batch's vertex and index buffers current.
    bool Select();

    // Whether the batch holds the part's vertex data and, when it has one, its index block.
    bool HoldsGeometryOf(const MeshPart& part) const;
    bool IsEmpty() const { return parts_.empty(); }
    const std::set<MeshPart*>& Parts() const { return parts_; }
    uint32_t GetCapacity() const { return capacity_; }
    uint32_t GetVertexBytes() const { return vertexBytes_; }
    uint32_t GetIndexCount() const { return indexCount_; }
    uint16_t GetVertexBuffer() const { return vertexBuffer_; }
    uint16_t GetIndexBuffer() const { return indexBuffer_; }

private:
    // Our buffer at the handle, or null when the pool no longer holds it there.
    VertexBuffer* OwnVertexBuffer() const;
    IndexBuffer* OwnIndexBuffer() const;
    bool EnsureVertexBuffer(bool& reallocated);
    bool EnsureIndexBuffer(bool& reallocated);
    void ResetPlacements();
    // Adds one hold of a geometry; true when it was new to the batch.
    static bool HoldOnce(std::map<const void*, uint32_t>& holds, const void* geometry);
    // Drops one hold; true when it was the last.
    static bool DropOnce(std::map<const void*, uint32_t>& holds, const void* geometry);

    SceneRenderDevice& device_;
    bool perPartIndices_;
    uint32_t vertexFormat_;
    uint32_t stride_;
    uint32_t capacity_ = kDefaultCapacity;
    uint32_t vertexBytes_ = 0;
    uint32_t indexCount_ = 0;
    uint16_t vertexBuffer_ = kNoBuffer;
    uint16_t indexBuffer_ = kNoBuffer;
    // The buffers behind the handles: a handle the pool has reused for another buffer is never taken for ours.
    SharedPtr<VertexBuffer> vertexBufferRef_;
    SharedPtr<IndexBuffer> indexBufferRef_;
    // Vertex data and index blocks with the number of the batch's parts that use each.
    std::map<const void*, uint32_t> geometries_;
    std::map<const void*, uint32_t> indexRecords_;
    std::set<MeshPart*> parts_;
    bool prepared_ = false;
};

}  // namespace quill
