#pragma once
// Sorts parts by the texture-kind mask of their material, the texture-stage blend their level sets. Unless
// the part's mesh keeps all its slots, the projected, bump and sphere-map kinds (bits 0x04, 0x20 and 0x40)
// are left out of the key.
#include <cstdint>

#include "QuillLib/render/KeyedNodeGroup.h"

namespace quill {

class BlendMaskGroup : public KeyedNodeGroup<uint32_t> {
public:
    static constexpr uint32_t kDroppedKinds = 0xFFFFFF9B;

    BlendMaskGroup(SceneGraph& owner, Node* node, bool hasNormals) : KeyedNodeGroup(owner, node), hasNormals_(hasNormals) {}

    static uint32_t MaskOf(const MeshPart& part);

protected:
    uint32_t GetPartKey(const MeshPart& part) const override { return MaskOf(part); }
    std::unique_ptr<Node> CreateChildNode(uint32_t key, const MeshPart* part) override;

private:
    bool hasNormals_;
};

}  // namespace quill
