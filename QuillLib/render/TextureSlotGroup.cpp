#include "QuillLib/render/TextureSlotGroup.h"

#include "QuillLib/render/TextureNode.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"

namespace quill {

Texture* TextureSlotGroup::SlotTexture(const MeshPart& part, uint32_t slot) {
    return part.material ? part.material->GetSlotTexture(static_cast<uint8_t>(slot)).get() : nullptr;
}

uintptr_t TextureSlotGroup::GetPartKey(const MeshPart& part) const {
    return reinterpret_cast<uintptr_t>(SlotTexture(part, slot_));
}

std::unique_ptr<Node> TextureSlotGroup::CreateChildNode(uintptr_t key, const MeshPart* part) {
    Texture* texture = key != 0 && part != nullptr ? SlotTexture(*part, slot_) : nullptr;
    return std::make_unique<TextureNode>(owner_, this, slot_, texture, mask_);
}

}  // namespace quill
