#pragma once
// A VERTEX_ANIMATION item: whole vertex frames of a mesh. Items loaded from resource files hold no
// keyframes (their bodies carry only the name).
#include "QuillLib/math/VertexData.h"
#include "QuillLib/resource/Animation.h"
#include "QuillLib/resource/BlendChoice.h"
#include "QuillLib/resource/VertexKeyframe.h"

namespace quill {

class VertexAnimation : public Animation<VertexKeyframe> {
public:
    explicit VertexAnimation(WStringView name = u"") : Animation(name) {}
    VertexAnimation(const VertexAnimation&) = default;

    VertexAnimation* Clone() const override { return new VertexAnimation(*this); }
    // Every frame must have the layout of the first.
    bool CanApplyTo(const VertexKeyframe& keyframe) override {
        return keyframes.empty() || keyframe.frame.LayoutFlags() == keyframes.front()->frame.LayoutFlags();
    }

    // Samples into out (whose layout and count stay); returns the new hint, 0 with out untouched when there
    // is nothing to sample.
    uint32_t Sample(uint32_t hint, float time, VertexData& out) const {
        uint32_t next = 0;
        uint32_t previous = 0;
        float fraction = 0.0f;
        if (!FindPair(hint, time, next, previous, fraction)) {
            return 0;
        }
        switch (ChooseBlend(fraction)) {
            case BlendChoice::Previous: out.CopyFrom(keyframes[previous]->frame); break;
            case BlendChoice::Next: out.CopyFrom(keyframes[next]->frame); break;
            case BlendChoice::Blend:
                out.Interpolate(keyframes[previous]->frame, keyframes[next]->frame, fraction);
                break;
        }
        return next;
    }
};

}  // namespace quill
