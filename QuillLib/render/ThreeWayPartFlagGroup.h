#pragma once
// Splits parts by how their material is lit: unlit materials (second selector byte), lit ones (third selector
// byte, and only where the vertex layout has normals to light), and those lit by the ambient colour alone.
#include <cstdint>

#include "QuillLib/render/SlotGroup.h"

namespace quill {

class ThreeWayPartFlagGroup : public SlotGroup<3> {
public:
    static constexpr size_t kFirst = 0;   // unlit
    static constexpr size_t kSecond = 1;  // ambient only
    static constexpr size_t kThird = 2;   // lit

    ThreeWayPartFlagGroup(SceneGraph& owner, Node* node, uint32_t mask, bool hasNormals)
        : SlotGroup(owner, node), mask_(mask), hasNormals_(hasNormals) {}

    size_t SlotOf(const MeshPart& part) const;

    bool AddPart(MeshPart& part) override;
    bool RemovePart(MeshPart& part) override;

private:
    uint32_t mask_;
    bool hasNormals_;
};

}  // namespace quill
