#pragma once
// A model placed in a scene: a tree of model objects built from a MODEL item (its frame), whose root sits
// in the placement transform, with the bone animations the scene description attaches to it.
#include "QuillLib/resource/ModelObject.h"

namespace quill {

class PlacedModelObject : public ModelObject {
public:
    // Builds the tree from the frame and brings its world transforms up to date in the placement.
    PlacedModelObject(const ModelObject& frame, const Transform& placementTransform);
    PlacedModelObject(const PlacedModelObject& other);

    PlacedModelObject* Clone() const override { return new PlacedModelObject(*this); }

    // Plays the animation on the node that uses its skeleton, from startTime; false (nothing attached) when
    // no node of the model uses that skeleton.
    bool AttachBoneAnimation(float startTime, uint8_t loop, SharedPtr<BoneAnimation> animation);
    // Moves the model to another placement.
    void SetPlacement(const Transform& placementTransform);

    Transform placement;

protected:
    const Transform* PlacementOf() const override { return &placement; }
};

}  // namespace quill
