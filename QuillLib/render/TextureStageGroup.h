#pragma once
// Sorts the parts of bump-mapped materials by their material's bump stage record (scale and rotation of the
// kind-2 stage); key 0 for a material without one.
#include <cstdint>

#include "QuillLib/render/KeyedNodeGroup.h"

namespace quill {

struct MaterialStage;

class TextureStageGroup : public KeyedNodeGroup<uintptr_t> {
public:
    TextureStageGroup(SceneGraph& owner, Node* node, uint32_t mask, bool hasNormals)
        : KeyedNodeGroup(owner, node), mask_(mask), hasNormals_(hasNormals) {}

    static const MaterialStage* BumpStage(const MeshPart& part);

protected:
    uintptr_t GetPartKey(const MeshPart& part) const override;
    std::unique_ptr<Node> CreateChildNode(uintptr_t key, const MeshPart* part) override;

private:
    uint32_t mask_;
    bool hasNormals_;
};

}  // namespace quill
