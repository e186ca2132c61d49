#include "QuillLib/render/RootGroup.h"

#include "QuillLib/render/ObjectModeGroup.h"
#include "QuillLib/render/SpriteNode.h"

namespace quill {

bool RootGroup::AddObjectTree(ModelObject& object) {
    std::unique_ptr<Node>& trees = slots_[kObjectTrees];
    if (!trees) {
        trees = std::make_unique<Node>(owner_, this);
        trees->SetGroup(std::make_unique<ObjectModeGroup>(owner_, trees.get()));
    }
    return trees->AddObjectTree(object);
}

bool RootGroup::RemoveObjectTree(ModelObject& object) {
    return RemoveThrough(kObjectTrees, [&](Node& trees) { return trees.RemoveObjectTree(object); });
}

bool RootGroup::AddObject(SpriteObject& sprite) {
    std::unique_ptr<Node>& sprites = slots_[kSingleObjects];
    if (!sprites) sprites = std::make_unique<SpriteNode>(owner_, this);
    return sprites->AddObject(sprite);
}

bool RootGroup::RemoveObject(SpriteObject& sprite) {
    return RemoveThrough(kSingleObjects, [&](Node& sprites) { return sprites.RemoveObject(sprite); });
}

}  // namespace quill
