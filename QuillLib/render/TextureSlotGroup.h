#pragma once
// Sorts parts by the texture their material holds in one texture slot (0 to 7); a material without that
// slot gives key 0, the level without a texture.
#include <cstdint>

#include "QuillLib/render/KeyedNodeGroup.h"

namespace quill {

class Texture;

class TextureSlotGroup : public KeyedNodeGroup<uintptr_t> {
public:
    TextureSlotGroup(SceneGraph& owner, Node* node, uint32_t slot, uint32_t mask)
        : KeyedNodeGroup(owner, node), slot_(slot), mask_(mask) {}

    static Texture* SlotTexture(const MeshPart& part, uint32_t slot);
    uint32_t GetSlot() const { return slot_; }

protected:
    uintptr_t GetPartKey(const MeshPart& part) const override;
    std::unique_ptr<Node> CreateChildNode(uintptr_t key, const MeshPart* part) override;

private:
    uint32_t slot_;
    uint32_t mask_;
};

}  // namespace quill
