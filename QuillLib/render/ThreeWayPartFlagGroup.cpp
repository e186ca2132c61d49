#include "QuillLib/render/ThreeWayPartFlagGroup.h"

#include "QuillLib/render/LightSetNode.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"

namespace quill {

size_t ThreeWayPartFlagGroup::SlotOf(const MeshPart& part) const {
    const Material* material = part.material.get();
    if (material != nullptr && material->flagB != 0) return kFirst;
    if (material != nullptr && material->flagC != 0 && hasNormals_) return kThird;
    return kSecond;
}

bool ThreeWayPartFlagGroup::AddPart(MeshPart& part) {
    const size_t slot = SlotOf(part);
    if (!slots_[slot]) {
        const bool lit = slot == kThird, unlit = slot == kFirst;
        slots_[slot] = std::make_unique<LightSetNode>(owner_, this, lit, unlit, mask_);
    }
    return slots_[slot]->AddPart(part);
}

bool ThreeWayPartFlagGroup::RemovePart(MeshPart& part) {
    return RemoveThrough(SlotOf(part), [&](Node& child) { return child.RemovePart(part); });
}

}  // namespace quill
