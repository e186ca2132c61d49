#include "QuillLib/render/TwoWayPartFlagGroup.h"

#include "QuillLib/render/SpecularNode.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/MeshPart.h"

namespace quill {

size_t TwoWayPartFlagGroup::SlotOf(const MeshPart& part) {
    return part.material && part.material->flagA != 0 ? kWithFlag : kWithoutFlag;
}

bool TwoWayPartFlagGroup::AddPart(MeshPart& part) {
    const size_t slot = SlotOf(part);
    if (!slots_[slot]) slots_[slot] = std::make_unique<SpecularNode>(owner_, this, slot == kWithFlag, mask_);
    return slots_[slot]->AddPart(part);
}

bool TwoWayPartFlagGroup::RemovePart(MeshPart& part) {
    return RemoveThrough(SlotOf(part), [&](Node& child) { return child.RemovePart(part); });
}

}  // namespace quill
