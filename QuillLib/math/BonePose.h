#pragma once
// One bone of an animation pose: position, then rotation (seven floats).
#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

struct BonePose {
    Vec3 position = kZeroVector;
    Quaternion rotation = kIdentityQuaternion;

    // Position blended linearly, rotation by Quaternion::Slerp.
    static void Interpolate(BonePose& out, const BonePose& a, const BonePose& b, float t);
};

}  // namespace quill
