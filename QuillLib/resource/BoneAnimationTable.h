#pragma once
// The BONE_ANIMATION table.
// Body: [name Text260, unpacked] u32 skeletonId, u32 keyframeCount, then per keyframe f32 time, u16
// poseCount and poseCount x (position Vec3, rotation x, y, z, w). A keyframe the animation refuses
// (another pose count, a negative time, a time not past the last) fails the load.
#include "QuillLib/resource/BoneAnimation.h"
#include "QuillLib/resource/ResourceTableImpl.h"

namespace quill {

class BoneAnimationTable : public ResourceTableImpl<BoneAnimation> {
public:
    BoneAnimationTable(ResourceFile* owner, WString name)
        : ResourceTableImpl(owner, std::move(name), ResourceKind::BoneAnimation) {}

protected:
    SharedPtr<BoneAnimation> LoadBody(Stream& body, Stream& file, bool packed) override;
    bool SaveBody(Stream& out, const SharedPtr<BoneAnimation>& item, bool packed) override;
    // Removes the animation's skeleton from the file's BONE table.
    bool OnRemoveItem(const SharedPtr<BoneAnimation>& item) override;
};

}  // namespace quill
