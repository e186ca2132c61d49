#include "tools/mkdata/SpriteAnimationNode.h"

namespace mkdata {
namespace {

void WriteState(BodyWriter& out, const SpriteAnimationNode::State& state) {
    for (float value : state) {
        out.F32(value);
    }
}

}  // namespace

void SpriteAnimationNode::Write(BodyWriter& out) const {
    out.U32(2);  // format word
    out.U16(playMode);
    if (playMode == 2) {
        out.U32(loopCount);
    }
    out.U32(static_cast<uint32_t>(keyframes.size()));
    for (const Keyframe& keyframe : keyframes) {
        out.F32(keyframe.delay);
        out.F32(keyframe.duration);
        for (float value : keyframe.pivot) {
            out.F32(value);
        }
        for (int32_t edge : keyframe.sourceRect) {
            out.I32(edge);
        }
        WriteState(out, keyframe.start);
        WriteState(out, keyframe.velocity);
        WriteState(out, keyframe.acceleration);
    }
    out.U32(static_cast<uint32_t>(children.size()));
    for (const SpriteAnimationNode& child : children) {
        child.Write(out);
    }
}

}  // namespace mkdata
