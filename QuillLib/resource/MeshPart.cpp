#include "QuillLib/resource/MeshPart.h"

#include "QuillLib/math/Camera.h"
#include "QuillLib/math/ClipOutcode.h"
#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/Mesh.h"

namespace quill {

SharedPtr<MeshPart> MeshPart::CreateInstance(Mesh& instance) const {
    SharedPtr<MeshPart> part(Clone());
    part->MakeInstanceOf(instance);
    return part;
}

void MeshPart::MakeInstanceOf(Mesh& instance) {
    owner = &instance;
    instanceData = std::make_unique<PartCullBlock>();
    instanceData->triangleCount = GetTriangleCount();
}

uint32_t MeshPart::GetTriangleCount() const {
    return owner ? owner->vertices->VertexCount() / 3 : 0;
}

void MeshPart::GetTriangle(uint32_t t, uint32_t out[3]) const {
    out[0] = 3 * t;
    out[1] = 3 * t + 1;
    out[2] = 3 * t + 2;
}

const BoundingSphere& MeshPart::GetBound() const {
    static const BoundingSphere kNoBound;
    return owner && owner->renderData ? owner->renderData->worldSphere : kNoBound;
}

void MeshPart::Submit(const Camera& /*camera*/, const Matrix4& /*world*/) {
    if (!instanceData || instanceData->result != 0 || !owner || !owner->renderData) {
        return;
    }
    SetCullState(owner->renderData->cullResult, owner->renderData->depth);
}

void MeshPart::SetCullState(int32_t result, float depth) {
    if (instanceData) {
        instanceData->result = result;
        instanceData->depth = depth;
    }
}

void MeshPart::CullTriangles(const Matrix4& world, const Camera& camera) {
    if (!owner || !owner->renderData || !instanceData) {
        return;
    }
    Matrix4 viewProjection;
    camera.GetViewProjectionMatrix(viewProjection);
    Matrix4 clip;
    Matrix4::Multiply(clip, world, viewProjection);
    const VertexData& vertices = *owner->vertices;
    std::vector<uint8_t>& outcodes = owner->renderData->outcodes;
    outcodes.resize(vertices.VertexCount(), 0);
    auto codeOf = [&](uint32_t vertex) {
        if (outcodes[vertex] == 0) {
            outcodes[vertex] = ClipOutcode(clip, ReadPosition(vertices, vertex));
        }
        return outcodes[vertex];
    };
    const uint32_t triangles = GetTriangleCount();
    instanceData->triangleCount = triangles;
    instanceData->mayBeVisible.assign(triangles, true);
    for (uint32_t t = 0; t < triangles; ++t) {
        uint32_t corner[3];
        GetTriangle(t, corner);
        if (corner[0] >= outcodes.size() || corner[1] >= outcodes.size() || corner[2] >= outcodes.size()) {
            continue;
        }
        instanceData->mayBeVisible[t] = TriangleMayBeVisible(codeOf(corner[0]), codeOf(corner[1]), codeOf(corner[2]));
    }
}

bool MeshPart::AcquireTextures(uint32_t mask) {
    return !material || material->AcquireTextures(mask);
}

bool MeshPart::ReleaseTextures(uint32_t mask) {
    return !material || material->ReleaseTextures(mask);
}

}  // namespace quill
