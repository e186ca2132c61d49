#include "QuillLib/resource/BoneAnimation.h"

#include <algorithm>

#include "QuillLib/resource/BlendChoice.h"

namespace quill {

BoneAnimation::BoneAnimation(WStringView name, SharedPtr<Skeleton> animationSkeleton)
    : Animation(name), skeleton(std::move(animationSkeleton)) {
    restPose.resize(skeleton ? skeleton->GetBoneCount() : 0);
}

bool BoneAnimation::CanApplyTo(const BoneKeyframe& keyframe) {
    if (!keyframes.empty()) {
        return static_cast<uint16_t>(keyframe.poses.size()) == static_cast<uint16_t>(keyframes.front()->poses.size());
    }
    if (hasRestPose) {
        restPose = keyframe.poses;
    }
    return true;
}

uint32_t BoneAnimation::Sample(uint32_t hint, float time, std::vector<BonePose>& out) const {
    uint32_t next = 0;
    uint32_t previous = 0;
    float fraction = 0.0f;
    if (!FindPair(hint, time, next, previous, fraction)) {
        return 0;
    }
    const std::vector<BonePose>& a = keyframes[previous]->poses;
    const std::vector<BonePose>& b = keyframes[next]->poses;
    // Keyframes are checked against each other, not against the skeleton: blend only what both hold.
    const size_t count = std::min({out.size(), a.size(), b.size()});
    const BlendChoice choice = ChooseBlend(fraction);
    for (size_t bone = 0; bone < count; ++bone) {
        if (choice == BlendChoice::Previous) {
            out[bone] = a[bone];
        } else if (choice == BlendChoice::Next) {
            out[bone] = b[bone];
        } else {
            BonePose::Interpolate(out[bone], a[bone], b[bone], fraction);
        }
    }
    if (skeleton) {
        skeleton->ComputeWorldPose(out);
    }
    return next;
}

}  // namespace quill
