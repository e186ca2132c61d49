#pragma once
// A keyframe of a model animation: the local transform of a placed model.
#include "QuillLib/math/Transform.h"
#include "QuillLib/resource/Keyframe.h"

namespace quill {

struct TransformKeyframe : Keyframe {
    using Keyframe::Keyframe;

    Transform transform;
};

}  // namespace quill
