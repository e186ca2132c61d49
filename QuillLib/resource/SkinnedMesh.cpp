#include "QuillLib/resource/SkinnedMesh.h"

#include <algorithm>

#include "QuillLib/math/VertexAccess.h"

namespace quill {
namespace {

// The weighted sum of a point through the influencing bones' matrices; false when no influence applied.
bool WeightedSum(const std::vector<SkinInfluence>& list, const std::vector<Matrix4>& matrices, const Vec3& point,
                 Vec3& out) {
    Vec3 sum;
    bool any = false;
    for (const SkinInfluence& influence : list) {
        if (influence.bone >= matrices.size()) {
            continue;
        }
        Vec3 moved;
        TransformPoint(moved, point, matrices[influence.bone]);
        sum.AddInPlace(moved * influence.weight);
        any = true;
    }
    if (any) {
        out = sum;
    }
    return any;
}

// A normal through the 3 x 3 part of a matrix.
Vec3 TurnNormal(const Vec3& normal, const Matrix4& m) {
    return Vec3{normal.x * m.m[0] + normal.y * m.m[4] + normal.z * m.m[8],
                normal.x * m.m[1] + normal.y * m.m[5] + normal.z * m.m[9],
                normal.x * m.m[2] + normal.y * m.m[6] + normal.z * m.m[10]};
}

}  // namespace

void SkinnedMesh::AddInfluence(uint32_t vertex, SkinInfluence influence) {
    if (influences.size() <= vertex) {
        influences.resize(vertex + 1);
    }
    influences[vertex].push_back(influence);
}

bool SkinnedMesh::Deform(const std::vector<Matrix4>& boneMatrices, const std::vector<Matrix4>& normalMatrices) {
    if ((vertices->LayoutFlags() & VertexData::kNormal) != 0) {
        return SkinVertices(boneMatrices, normalMatrices);
    }
    return ApplySkin(boneMatrices);
}

bool SkinnedMesh::PrepareDestination(const VertexData*& source) {
    if (!renderData || !renderData->source) {
        return false;
    }
    if (vertices == renderData->source) {
        vertices = quill::make_shared<VertexData>(*renderData->source);
    }
    source = renderData->source.get();
    return true;
}

bool SkinnedMesh::ApplySkin(const std::vector<Matrix4>& boneMatrices) {
    const VertexData* source = nullptr;
    if (!PrepareDestination(source)) {
        return false;
    }
    const uint32_t count = std::min<uint32_t>(source->VertexCount(), vertices->VertexCount());
    for (uint32_t vertex = 0; vertex < count && vertex < influences.size(); ++vertex) {
        Vec3 position;
        if (WeightedSum(influences[vertex], boneMatrices, ReadPosition(*source, vertex), position)) {
            WritePosition(*vertices, vertex, position);
        }
    }
    vertices->MarkChanged();
    return true;
}

bool SkinnedMesh::SkinVertices(const std::vector<Matrix4>& boneMatrices, const std::vector<Matrix4>& normalMatrices) {
    const VertexData* source = nullptr;
    if (!PrepareDestination(source)) {
        return false;
    }
    const uint32_t count = std::min<uint32_t>(source->VertexCount(), vertices->VertexCount());
    for (uint32_t vertex = 0; vertex < count && vertex < influences.size(); ++vertex) {
        const std::vector<SkinInfluence>& list = influences[vertex];
        Vec3 position;
        if (!WeightedSum(list, boneMatrices, ReadPosition(*source, vertex), position)) {
            continue;
        }
        WritePosition(*vertices, vertex, position);
        const Vec3 bindNormal = ReadNormal(*source, vertex);
        Vec3 normal;
        for (const SkinInfluence& influence : list) {
            if (influence.bone < normalMatrices.size()) {
                normal.AddInPlace(TurnNormal(bindNormal, normalMatrices[influence.bone]) * influence.weight);
            }
        }
        WriteNormal(*vertices, vertex, normal);
    }
    vertices->MarkChanged();
    return true;
}

}  // namespace quill
