#include "QuillLib/render/TextureStageGroup.h"

#include "QuillLib/render/TextureStageNode.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"

namespace quill {

const MaterialStage* TextureStageGroup::BumpStage(const MeshPart& part) {
    if (!part.material) return nullptr;
    const uint16_t stage = part.material->GetStageIndex(Material::kBumpKind);
    return stage == Material::kNoStage ? nullptr : &part.material->Stage(stage);
}

uintptr_t TextureStageGroup::GetPartKey(const MeshPart& part) const {
    return reinterpret_cast<uintptr_t>(BumpStage(part));
}

std::unique_ptr<Node> TextureStageGroup::CreateChildNode(uintptr_t key, const MeshPart* part) {
    const MaterialStage* stage = key != 0 && part != nullptr ? BumpStage(*part) : nullptr;
    return std::make_unique<TextureStageNode>(owner_, this, stage, mask_, hasNormals_);
}

}  // namespace quill
