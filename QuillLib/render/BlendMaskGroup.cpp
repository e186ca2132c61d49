#include "QuillLib/render/BlendMaskGroup.h"

#include "QuillLib/render/BlendModeNode.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/Mesh.h"

namespace quill {

uint32_t BlendMaskGroup::MaskOf(const MeshPart& part) {
    const uint32_t mask = part.material ? part.material->GetStageMask() : 0;
    const bool keepsAllSlots = part.owner == nullptr || !part.owner->renderData || part.owner->renderData->keepsAllSlots != 0;
    return keepsAllSlots ? mask : mask & kDroppedKinds;
}

std::unique_ptr<Node> BlendMaskGroup::CreateChildNode(uint32_t key, const MeshPart* /*part*/) {
    return std::make_unique<BlendModeNode>(owner_, this, key, hasNormals_);
}

}  // namespace quill
