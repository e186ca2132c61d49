#pragma once
// One bone of a skeleton: its name, the index of its parent bone (kNone for a root) and its pivot offset,
// the point a pose turns the bone about.
#include <cstdint>

#include "QuillLib/core/WString.h"
#include "QuillLib/math/Vec3.h"

namespace quill {

struct SkeletonBone {
    static constexpr uint32_t kRoot = 0xFFFFFFFF;

    WString name;
    uint32_t parent = kRoot;
    Vec3 offset;
};

}  // namespace quill
