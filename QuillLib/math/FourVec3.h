#pragma once
// The four points and directions of a look-at frame as they are given and stored together: eye, target, the
// world-up reference and the horizontal side reference from which yaw is measured.
#include "QuillLib/math/Vec3.h"

namespace quill {

struct FourVec3 {
    Vec3 eye;
    Vec3 target;
    Vec3 up;
    Vec3 side{1.0f, 0.0f, 0.0f};

    // Eye, target and up zero, side (1, 0, 0).
    void Reset() { *this = FourVec3{}; }
};

}  // namespace quill
