#include "QuillLib/resource/PlacedModelObject.h"

namespace quill {
namespace {

ModelObject* FindSkeletonUser(ModelObject& node, const Skeleton* wanted) {
    if (node.skeleton.get() == wanted) {
        return &node;
    }
    for (const SharedPtr<ModelObject>& child : node.Children()) {
        if (ModelObject* found = FindSkeletonUser(*child, wanted)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

PlacedModelObject::PlacedModelObject(const ModelObject& frame, const Transform& placementTransform)
    : placement(placementTransform) {
    BuildFromFrame(frame);
    placement.UpdateMatrix();
    UpdateWorldTransform();
}

PlacedModelObject::PlacedModelObject(const PlacedModelObject& other) : ModelObject(other), placement(other.placement) {}

bool PlacedModelObject::AttachBoneAnimation(float startTime, uint8_t loop, SharedPtr<BoneAnimation> animation) {
    if (!animation || !animation->skeleton) {
        return false;
    }
    ModelObject* user = FindSkeletonUser(*this, animation->skeleton.get());
    if (!user) {
        return false;
    }
    AnimationPlayer<BoneAnimation> player;
    player.clock.startTime = startTime;
    player.clock.looping = loop;
    player.animation = std::move(animation);
    user->bonePlayers.push_back(std::move(player));
    return true;
}

void PlacedModelObject::SetPlacement(const Transform& placementTransform) {
    placement = placementTransform;
    placement.UpdateMatrix();
    UpdateWorldTransform();
}

}  // namespace quill
