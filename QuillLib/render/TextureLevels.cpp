#include "QuillLib/render/TextureLevels.h"

#include "QuillLib/math/SlotFlags.h"
#include "QuillLib/render/LeafGroup.h"
#include "QuillLib/render/TextureSlotGroup.h"

namespace quill {

std::unique_ptr<NodeGroup> CreateTextureLevels(SceneGraph& owner, Node* node, uint32_t mask, uint32_t count) {
    for (int kind = static_cast<int>(count) - 1; kind >= 0; --kind) {
        if (kind <= 7 && (mask & IndexToFlagBit(kind)) != 0) {
            return std::make_unique<TextureSlotGroup>(owner, node, static_cast<uint32_t>(kind), mask);
        }
    }
    return std::make_unique<LeafGroup>(owner, node);
}

}  // namespace quill
