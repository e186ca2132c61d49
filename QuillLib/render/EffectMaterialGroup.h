#pragma once
// Sorts parts by their material when it holds a texture (whose coordinates and bump matrix may move with the
// clock); materials without any texture share key 0, which has no timed effect.
#include <cstdint>

#include "QuillLib/render/KeyedNodeGroup.h"

namespace quill {

class Material;

class EffectMaterialGroup : public KeyedNodeGroup<uintptr_t> {
public:
    EffectMaterialGroup(SceneGraph& owner, Node* node, uint32_t mask, bool hasNormals)
        : KeyedNodeGroup(owner, node), mask_(mask), hasNormals_(hasNormals) {}

    static Material* TexturedMaterial(const MeshPart& part);

protected:
    uintptr_t GetPartKey(const MeshPart& part) const override;
    std::unique_ptr<Node> CreateChildNode(uintptr_t key, const MeshPart* part) override;

private:
    uint32_t mask_;
    bool hasNormals_;
};

}  // namespace quill
