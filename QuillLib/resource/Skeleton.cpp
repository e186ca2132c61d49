#include "QuillLib/resource/Skeleton.h"

#include "QuillLib/core/LogSystem.h"

namespace quill {

bool Skeleton::HasValidParents() const {
    for (uint32_t i = 0; i < bones_.size(); ++i) {
        if (bones_[i].parent != SkeletonBone::kRoot && bones_[i].parent >= bones_.size()) {
            return false;
        }
    }
    return true;
}

bool Skeleton::ComputeWorldPose(std::vector<BonePose>& pose) const {
    if (pose.size() < bones_.size() || !HasValidParents()) {
        TheLog().LogError(u"WARNING : skeleton %s does not fit its pose\n", name);
        return false;
    }
    for (uint32_t i = 0; i < bones_.size(); ++i) {
        BonePose& bone = pose[i];
        Vec3 turned = bones_[i].offset;
        turned.Rotate(bone.rotation);
        bone.position = bone.position + bones_[i].offset - turned;
        const uint32_t parent = bones_[i].parent;
        if (parent != SkeletonBone::kRoot) {
            bone.position.Rotate(pose[parent].rotation);
            bone.position.AddInPlace(pose[parent].position);
            Quaternion::Multiply(bone.rotation, pose[parent].rotation, bone.rotation);
        }
    }
    return true;
}

}  // namespace quill
