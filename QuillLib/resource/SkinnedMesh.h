#pragma once
// A mesh whose vertices follow the bones of a skeleton: one list of bone influences per vertex, in vertex
// order. The instance's render record keeps the bind-pose vertices; a deformation writes the moved ones
// into the instance's own vertices.
//
// Lists and bone numbers come from files unchecked against the mesh: a vertex without a list keeps its
// last position, and an influence of a bone past the given matrices is skipped.
#include <vector>

#include "QuillLib/resource/Mesh.h"
#include "QuillLib/resource/Skeleton.h"
#include "QuillLib/resource/SkinInfluence.h"

namespace quill {

class SkinnedMesh : public Mesh {
public:
    SkinnedMesh(WStringView name, SharedPtr<Skeleton> meshSkeleton) : Mesh(name), skeleton(std::move(meshSkeleton)) {}
    SkinnedMesh(const SkinnedMesh&) = default;

    SkinnedMesh* Clone() const override { return new SkinnedMesh(*this); }

    // Appends an influence to the list of a vertex, adding lists up to it.
    void AddInfluence(uint32_t vertex, SkinInfluence influence);

    // Positions (and, when the layout has normals, normals through the normal matrices) become the
    // weighted sums of the bind-pose ones through each influencing bone.
    bool Deform(const std::vector<Matrix4>& boneMatrices, const std::vector<Matrix4>& normalMatrices) override;
    // Positions only: position = sum of weight x (bind position x matrix of the bone).
    bool ApplySkin(const std::vector<Matrix4>& boneMatrices);
    // Positions and normals.
    bool SkinVertices(const std::vector<Matrix4>& boneMatrices, const std::vector<Matrix4>& normalMatrices);

    SharedPtr<Skeleton> skeleton;
    std::vector<std::vector<SkinInfluence>> influences;

protected:
    Mesh* NewInstance() const override { return new SkinnedMesh(*this); }

private:
    // The bind-pose vertices, and the instance's own vertices made private to it. False on a loaded item.
    bool PrepareDestination(const VertexData*& source);
};

}  // namespace quill
