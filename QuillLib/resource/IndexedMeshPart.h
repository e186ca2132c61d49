#pragma once
// A mesh part with its own 16-bit triangle-list indices (shared between instances and copied on write),
// four words carried with the part and its own bounding spheres.
#include <array>
#include <cstdint>

#include "QuillLib/resource/IndexBlock.h"
#include "QuillLib/resource/MeshPart.h"

namespace quill {

class IndexedMeshPart : public MeshPart {
public:
    // A part with indexCount zero indices.
    IndexedMeshPart(SharedPtr<Material> partMaterial, uint32_t indexCount);
    // Shares the material and the index block.
    IndexedMeshPart(const IndexedMeshPart& other) = default;

    IndexedMeshPart* Clone() const override { return new IndexedMeshPart(*this); }
    SharedPtr<MeshPart> CreateInstance(Mesh& instance) const override;

    bool HasIndices() const override { return true; }
    uint32_t GetTriangleCount() const override { return static_cast<uint32_t>(indices->indices.size() / 3); }
    void GetTriangle(uint32_t t, uint32_t out[3]) const override;
    const BoundingSphere& GetBound() const override { return worldSphere; }
    void RefreshBounds() override;
    void UpdateBounds(const Transform& transform) override;
    void Submit(const Camera& camera, const Matrix4& world) override;

    // The index block for writing: the block itself when this part alone holds it, otherwise a private
    // copy that the part keeps from then on.
    IndexBlock& GetWritableIndices();
    const IndexBlock& GetIndices() const { return *indices; }

    SharedPtr<IndexBlock> indices;
    std::array<uint32_t, 4> words{0, 0, 0, 0};
    BoundingSphere localSphere;
    BoundingSphere worldSphere;
};

}  // namespace quill
