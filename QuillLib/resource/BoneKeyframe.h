#pragma once
// A keyframe of a bone animation: one pose per bone of the skeleton, in bone order.
#include <cstdint>
#include <vector>

#include "QuillLib/math/BonePose.h"
#include "QuillLib/resource/Keyframe.h"

namespace quill {

struct BoneKeyframe : Keyframe {
    BoneKeyframe(float keyTime, uint16_t poseCount) : Keyframe(keyTime), poses(poseCount) {}

    std::vector<BonePose> poses;
};

}  // namespace quill
