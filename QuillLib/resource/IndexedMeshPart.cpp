#include "QuillLib/resource/IndexedMeshPart.h"

#include "QuillLib/math/Camera.h"
#include "QuillLib/resource/Mesh.h"

namespace quill {

IndexedMeshPart::IndexedMeshPart(SharedPtr<Material> partMaterial, uint32_t indexCount)
    : MeshPart(std::move(partMaterial)), indices(quill::make_shared<IndexBlock>()) {
    indices->indices.assign(indexCount, 0);
}

SharedPtr<MeshPart> IndexedMeshPart::CreateInstance(Mesh& instance) const {
    SharedPtr<IndexedMeshPart> part(Clone());
    part->MakeInstanceOf(instance);
    part->RefreshBounds();
    part->worldSphere = part->localSphere;
    return part;
}

void IndexedMeshPart::GetTriangle(uint32_t t, uint32_t out[3]) const {
    for (uint32_t corner = 0; corner < 3; ++corner) {
        out[corner] = indices->indices[3 * t + corner];
    }
}

void IndexedMeshPart::RefreshBounds() {
    if (owner) {
        BoundingSphere::FromPartVertices(localSphere, *owner->vertices, indices->vertexKeys);
    }
}

void IndexedMeshPart::UpdateBounds(const Transform& transform) {
    worldSphere = localSphere;
    const bool baked = owner && owner->renderData && owner->renderData->baked;
    if (!transform.IsIdentity() && !baked) {
        worldSphere.Transform(transform);
    }
}

void IndexedMeshPart::Submit(const Camera& camera, const Matrix4& /*world*/) {
    if (!instanceData || instanceData->result != 0 || !owner || !owner->renderData) {
        return;
    }
    if (owner->renderData->cullResult == MeshRenderRecord::kInside) {
        SetCullState(MeshRenderRecord::kInside, camera.DepthOf(worldSphere.centre));
        return;
    }
    float depth = 0.0f;
    const int32_t result = camera.ClassifySphere(worldSphere.centre, worldSphere.radius, &depth);
    SetCullState(result, depth);
}

IndexBlock& IndexedMeshPart::GetWritableIndices() {
    if (indices.use_count() != 1) {
        indices = quill::make_shared<IndexBlock>(*indices);
    }
    return *indices;
}

}  // namespace quill
