#pragma once
// The root's group: object trees go to one child whose group splits them by their draw mode, sprites to the
// sprite node. Object trees are visited first, so sprites are drawn over them.
#include "QuillLib/render/SlotGroup.h"

namespace quill {

class RootGroup : public SlotGroup<2> {
public:
    static constexpr size_t kObjectTrees = 0;
    static constexpr size_t kSingleObjects = 1;

    using SlotGroup::SlotGroup;

    bool AddObjectTree(ModelObject& object) override;
    bool RemoveObjectTree(ModelObject& object) override;
    bool AddObject(SpriteObject& sprite) override;
    bool RemoveObject(SpriteObject& sprite) override;
};

}  // namespace quill
