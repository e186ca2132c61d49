#pragma once
// The per-frame state of a model object: its world transform and bounding sphere, whether it is drawn
// (and in the mirror pass), and how the current pass classified it against the view (0 not yet, 1 outside,
// 2 crossing, 3 inside) with its depth.
#include <cstdint>

#include "QuillLib/math/BoundingSphere.h"
#include "QuillLib/math/Transform.h"

namespace quill {

struct PoseRecord {
    Transform world;
    BoundingSphere worldSphere;
    uint8_t visible = 1;
    uint8_t reflection = 0;
    int32_t cullResult = 0;
    float depth = 0.0f;
    uint8_t fixedTransform = 0;  // the object's parts carry no transform of their own
    uint8_t mirror = 0;
};

}  // namespace quill
