#include "QuillLib/render/EffectMaterialGroup.h"

#include "QuillLib/render/TimedEffectNode.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"

namespace quill {

Material* EffectMaterialGroup::TexturedMaterial(const MeshPart& part) {
    Material* material = part.material.get();
    if (material == nullptr) return nullptr;
    for (const MaterialStage& stage : material->Stages()) {
        if (stage.texture) return material;
    }
    return nullptr;
}

uintptr_t EffectMaterialGroup::GetPartKey(const MeshPart& part) const {
    return reinterpret_cast<uintptr_t>(TexturedMaterial(part));
}

std::unique_ptr<Node> EffectMaterialGroup::CreateChildNode(uintptr_t key, const MeshPart* part) {
    Material* material = key != 0 && part != nullptr ? TexturedMaterial(*part) : nullptr;
    return std::make_unique<TimedEffectNode>(owner_, this, material, mask_, hasNormals_);
}

}  // namespace quill
