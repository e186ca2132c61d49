#include "QuillLib/render/ObjectModeGroup.h"

#include "QuillLib/render/AlphaModeNode.h"
#include "QuillLib/resource/ModelObject.h"

namespace quill {

size_t ObjectModeGroup::SlotOf(const ModelObject& object) {
    if (object.blendMode == 1 || object.cullMode != 0xFFFFFFFF) return kModeOne;
    return object.blendMode == 0 ? kModeZero : kNone;
}

bool ObjectModeGroup::AddObjectTree(ModelObject& object) {
    const size_t slot = SlotOf(object);
    if (slot == kNone) return false;
    if (!slots_[slot]) slots_[slot] = std::make_unique<AlphaModeNode>(owner_, this, static_cast<uint32_t>(slot));
    return slots_[slot]->AddObjectTree(object);
}

bool ObjectModeGroup::RemoveObjectTree(ModelObject& object) {
    const size_t slot = SlotOf(object);
    if (slot == kNone) return IsEmpty();
    return RemoveThrough(slot, [&](Node& child) { return child.RemoveObjectTree(object); });
}

}  // namespace quill
