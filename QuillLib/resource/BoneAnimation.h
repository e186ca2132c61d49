#pragma once
// A BONE_ANIMATION item: keyframes of bone poses for one skeleton. A sample blends the poses of the two
// keyframes around the time and turns them into model-space poses through the skeleton.
#include <cstdint>
#include <vector>

#include "QuillLib/resource/Animation.h"
#include "QuillLib/resource/BoneKeyframe.h"
#include "QuillLib/resource/Skeleton.h"

namespace quill {

class BoneAnimation : public Animation<BoneKeyframe> {
public:
    // The rest pose is sized to the skeleton's bones.
    BoneAnimation(WStringView name, SharedPtr<Skeleton> animationSkeleton);
    // Shares the skeleton; copies the keyframes and the rest pose.
    BoneAnimation(const BoneAnimation&) = default;

    BoneAnimation* Clone() const override { return new BoneAnimation(*this); }

    // With keyframes: the keyframe must hold as many poses as the first one. The first keyframe of an
    // animation with a rest pose also becomes the rest pose.
    bool CanApplyTo(const BoneKeyframe& keyframe) override;

    // Samples into out, whose size the caller chose (one pose per entry of the rest pose); poses beyond
    // a keyframe's own count keep what out held. Returns the new hint; 0 with out untouched when there is
    // nothing to sample.
    uint32_t Sample(uint32_t hint, float time, std::vector<BonePose>& out) const;

    SharedPtr<Skeleton> skeleton;
    std::vector<BonePose> restPose;
    uint8_t hasRestPose = 0;
};

}  // namespace quill
