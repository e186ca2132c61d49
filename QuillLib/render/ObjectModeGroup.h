#pragma once
// Splits object trees by how they are drawn: blended objects and objects with a cull mode of their own are
// drawn whole, one by one, in draw order (alpha mode 1); opaque objects with the default cull mode are
// broken into parts and sorted by state (alpha mode 0). An object of any other blend mode is not drawn.
#include "QuillLib/render/SlotGroup.h"

namespace quill {

class ObjectModeGroup : public SlotGroup<2> {
public:
    static constexpr size_t kModeZero = 0;
    static constexpr size_t kModeOne = 1;
    static constexpr size_t kNone = 2;

    using SlotGroup::SlotGroup;

    // The slot an object goes to; kNone for one that is not drawn.
    static size_t SlotOf(const ModelObject& object);

    bool AddObjectTree(ModelObject& object) override;
    bool RemoveObjectTree(ModelObject& object) override;
};

}  // namespace quill
