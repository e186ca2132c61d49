#pragma once
// A drawable subset of a mesh with one material. A plain part draws the mesh's vertices as a triangle
// list; IndexedMeshPart draws them through its own indices. A loaded mesh's parts carry no instance data;
// the parts of a mesh instance know their mesh and keep their cull state.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <memory>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/Matrix4.h"
#include "QuillLib/resource/PartCullBlock.h"

namespace quill {

class Camera;
class Material;
class Mesh;
struct Transform;

class MeshPart {
public:
    explicit MeshPart(SharedPtr<Material> partMaterial) : material(std::move(partMaterial)) {}
    // Shares the material; no owner, no instance data.
    MeshPart(const MeshPart& other) : material(other.material) {}
    MeshPart& operator=(const MeshPart&) = delete;
    virtual ~MeshPart() = default;

    virtual MeshPart* Clone() const { return new MeshPart(*this); }
    // A part of the mesh instance owner, with the same material and fresh instance data.
    virtual SharedPtr<MeshPart> CreateInstance(Mesh& instance) const;

    virtual bool HasIndices() const { return false; }
    virtual uint32_t GetTriangleCount() const;
    // The vertex indices of triangle t (below the triangle count).
    virtual void GetTriangle(uint32_t t, uint32_t out[3]) const;
    // A plain part answers its mesh's world sphere.
    virtual const BoundingSphere& GetBound() const;
    // An indexed part recomputes its local sphere from the vertices it uses; a plain part keeps none.
    virtual void RefreshBounds() {}
    // An indexed part moves its world sphere by the transform; a plain part does nothing.
    virtual void UpdateBounds(const Transform& /*transform*/) {}
    // Classifies the part against the camera once per pass: a plain part takes its mesh's result, an
    // indexed part classifies its own sphere unless the mesh is wholly inside.
    virtual void Submit(const Camera& camera, const Matrix4& world);

    void SetCullState(int32_t result, float depth);
    void ResetCullState() { SetCullState(0, 0.0f); }
    int32_t GetCullResult() const { return instanceData ? instanceData->result : 0; }
    // Marks each triangle that may be visible through the camera by the clip outcodes of its vertices,
    // computing each vertex's code once per pass. Triangles with an index past the vertex count are
    // marked visible and read nothing.
    void CullTriangles(const Matrix4& world, const Camera& camera);
    bool AcquireTextures(uint32_t mask);
    bool ReleaseTextures(uint32_t mask);

    Mesh* owner = nullptr;
    SharedPtr<Material> material;
    std::unique_ptr<PartCullBlock> instanceData;

protected:
    // Copies owner and fresh instance data into a new instance part.
    void MakeInstanceOf(Mesh& instance);
};

}  // namespace quill
