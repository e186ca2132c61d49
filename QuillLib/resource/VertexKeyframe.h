#pragma once
// A keyframe of a vertex animation: a whole vertex frame of a mesh.
#include "QuillLib/math/VertexData.h"
#include "QuillLib/resource/Keyframe.h"

namespace quill {

struct VertexKeyframe : Keyframe {
    using Keyframe::Keyframe;

    VertexData frame;
};

}  // namespace quill
