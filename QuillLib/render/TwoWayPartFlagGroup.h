#pragma once
// Splits the parts of a lit level by their material's first selector byte: specular highlights on or off.
#include <cstdint>

#include "QuillLib/render/SlotGroup.h"

namespace quill {

class TwoWayPartFlagGroup : public SlotGroup<2> {
public:
    static constexpr size_t kWithFlag = 0;
    static constexpr size_t kWithoutFlag = 1;

    TwoWayPartFlagGroup(SceneGraph& owner, Node* node, uint32_t mask) : SlotGroup(owner, node), mask_(mask) {}

    static size_t SlotOf(const MeshPart& part);

    bool AddPart(MeshPart& part) override;
    bool RemovePart(MeshPart& part) override;

private:
    uint32_t mask_;
};

}  // namespace quill
