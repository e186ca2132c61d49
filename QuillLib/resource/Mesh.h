#pragma once
// A MESH item: vertices in the engine's vertex layout split into parts, one material each, with a bounding
// sphere and two option bytes. A loaded mesh is never drawn itself: placing a model makes mesh instances,
// each with its own copy of the vertices, its own render record and its own parts, so that every placed
// model is transformed, skinned, culled and hidden by itself while the loaded item stays shared. Index
// blocks stay shared until an instance writes one.
//
// Threads: the thread that drives the scenes.
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/core/NamedObject.h"
#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/VertexData.h"
#include "QuillLib/resource/AnimationPlayer.h"
#include "QuillLib/resource/MeshPart.h"
#include "QuillLib/resource/MeshRenderRecord.h"
#include "QuillLib/resource/VertexAnimation.h"

namespace quill {

class Camera;

class Mesh : public NamedObject {
public:
    explicit Mesh(WStringView name = u"");
    // A copy of the vertices, the bound and the options; the parts are shared; no render record, no player.
    Mesh(const Mesh& other);
    Mesh& operator=(const Mesh&) = delete;

    Mesh* Clone() const override { return new Mesh(*this); }

    // Lays out vertexCount zeroed vertices of the format; false for a layout the engine cannot hold.
    bool Allocate(uint32_t vertexFormat, uint32_t vertexCount);
    void AddPart(SharedPtr<MeshPart> part) { parts.push_back(std::move(part)); }

    // A drawable instance: the same id and name, its own copy of the vertices (moved by the transform when
    // apply is set, and the bound with them unless it is the identity), a new render record (with the
    // sphere-projection matrix when extraBlock is set) and an instance of every part.
    SharedPtr<Mesh> CreateInstance(const Transform& transform, bool apply, bool extraBlock) const;

    // Stores both option bytes; on an instance, option a keeps a sphere-projection matrix.
    void SetOptions(uint8_t a, uint8_t b);

    // Bounds and culling (instances).
    // Local sphere from the vertices, then every part's own.
    void RefreshBounds();
    // World sphere = local sphere moved by the transform (unless identity or baked); with recurse every
    // part follows.
    void UpdateBounds(const Transform& transform, bool recurse);
    // Baked meshes carry their vertices in world space: positions transformed, normals rotated, from the
    // source vertices; an unbaked mesh only goes back to its source vertices.
    void ApplyWorldTransform(const Transform& transform);
    // Classifies the instance against the camera once per pass (mode 3: inside without a test), then its
    // parts.
    void Submit(const Camera& camera, const Matrix4& world, int mode);
    void SetCullState(int32_t result, float depth, bool applyToParts);
    void UpdateSphereProjection(const Camera& camera);
    // Clears the render record's pass state and every part's, and marks the vertices for upload.
    void ResetDeviceData();

    bool AcquireTextures(uint32_t mask);
    bool ReleaseTextures(uint32_t mask);
    uint8_t IsVisible() const { return vertices->Visible(); }
    void SetVisible(uint8_t visible) { vertices->SetVisible(visible); }

    // The deformation of a skinned instance by bone matrices (row vectors) and their 3 x 3 normal
    // matrices, one per bone; a plain mesh has none.
    virtual bool Deform(const std::vector<Matrix4>& /*boneMatrices*/, const std::vector<Matrix4>& /*normalMatrices*/) {
        return false;
    }

    SharedPtr<VertexData> vertices;
    std::vector<SharedPtr<MeshPart>> parts;
    BoundingSphere bound;  // local; radius -1 until the mesh has a bound
    uint8_t optionA = 0;
    uint8_t optionB = 0;
    std::unique_ptr<MeshRenderRecord> renderData;
    // The vertex animation an instance plays, if any.
    std::unique_ptr<AnimationPlayer<VertexAnimation>> vertexPlayer;

protected:
    // The object CreateInstance fills: a copy of this mesh's class.
    virtual Mesh* NewInstance() const { return new Mesh(*this); }

private:
    void BakeVertices(const Transform& transform);
};

}  // namespace quill
