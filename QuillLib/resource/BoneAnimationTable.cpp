#include "QuillLib/resource/BoneAnimationTable.h"

#include "QuillLib/math/TransformFields.h"
#include "QuillLib/resource/BodyFields.h"
#include "QuillLib/resource/ResourceFile.h"

namespace quill {
namespace {

constexpr uint32_t kSmallestKeyframe = 6;
constexpr uint32_t kPoseSize = 28;

bool ReadKeyframe(Stream& body, SharedPtr<BoneKeyframe>& keyframe) {
    float time = 0.0f;
    uint16_t poseCount = 0;
    if (!ReadF32(body, time) || !ReadU16(body, poseCount) || !CanHold(body, poseCount, kPoseSize)) {
        return false;
    }
    keyframe = quill::make_shared<BoneKeyframe>(time, poseCount);
    for (BonePose& pose : keyframe->poses) {
        if (!ReadVector3(body, pose.position) || !ReadVector4(body, pose.rotation)) {
            return false;
        }
    }
    return true;
}

}  // namespace

SharedPtr<BoneAnimation> BoneAnimationTable::LoadBody(Stream& body, Stream& file, bool packed) {
    WString name;
    uint32_t skeletonId = kNone;
    uint32_t keyframeCount = 0;
    if (!ReadItemName(body, packed, name) || !ReadU32(body, skeletonId)) {
        return {};
    }
    SharedPtr<Skeleton> skeleton = Owner()->FindOrLoadBone(skeletonId, file);
    if (!skeleton || !ReadU32(body, keyframeCount) || !CanHold(body, keyframeCount, kSmallestKeyframe)) {
        return {};
    }
    SharedPtr<BoneAnimation> animation = quill::make_shared<BoneAnimation>(name, std::move(skeleton));
    for (uint32_t i = 0; i < keyframeCount; ++i) {
        SharedPtr<BoneKeyframe> keyframe;
        if (!ReadKeyframe(body, keyframe) || !animation->AppendKeyframe(std::move(keyframe))) {
            return {};
        }
    }
    return animation;
}

bool BoneAnimationTable::SaveBody(Stream& out, const SharedPtr<BoneAnimation>& item, bool packed) {
    const uint32_t skeletonId = item->skeleton ? item->skeleton->id : kNone;
    if (!WriteItemName(out, packed, item->name) || !WriteU32(out, skeletonId) ||
        !WriteU32(out, static_cast<uint32_t>(item->keyframes.size()))) {
        return false;
    }
    for (const SharedPtr<BoneKeyframe>& keyframe : item->keyframes) {
        if (!WriteF32(out, keyframe->time) || !WriteU16(out, static_cast<uint16_t>(keyframe->poses.size()))) {
            return false;
        }
        for (const BonePose& pose : keyframe->poses) {
            if (!WriteVector3(out, pose.position) || !WriteVector4(out, pose.rotation)) {
                return false;
            }
        }
    }
    return true;
}

bool BoneAnimationTable::OnRemoveItem(const SharedPtr<BoneAnimation>& item) {
    return !item->skeleton || item->skeleton->id == kNone ||
           Owner()->GetBoneTable()->RemoveItem(item->skeleton->id, true);
}

}  // namespace quill
