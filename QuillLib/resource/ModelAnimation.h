#pragma once
// A MODEL_ANIMATION item: keyframes of a placed model's local transform. Items loaded from resource files
// hold no keyframes (their bodies carry only the name).
#include "QuillLib/math/Transform.h"
#include "QuillLib/resource/Animation.h"
#include "QuillLib/resource/BlendChoice.h"
#include "QuillLib/resource/TransformKeyframe.h"

namespace quill {

class ModelAnimation : public Animation<TransformKeyframe> {
public:
    explicit ModelAnimation(WStringView name = u"") : Animation(name) {}
    ModelAnimation(const ModelAnimation&) = default;

    ModelAnimation* Clone() const override { return new ModelAnimation(*this); }
    bool CanApplyTo(const TransformKeyframe& /*keyframe*/) override { return true; }

    // Samples into out; returns the new hint, 0 with out untouched when there is nothing to sample.
    uint32_t Sample(uint32_t hint, float time, Transform& out) const {
        uint32_t next = 0;
        uint32_t previous = 0;
        float fraction = 0.0f;
        if (!FindPair(hint, time, next, previous, fraction)) {
            return 0;
        }
        switch (ChooseBlend(fraction)) {
            case BlendChoice::Previous: out = keyframes[previous]->transform; break;
            case BlendChoice::Next: out = keyframes[next]->transform; break;
            case BlendChoice::Blend:
                out.Interpolate(keyframes[previous]->transform, keyframes[next]->transform, fraction);
                break;
        }
        return next;
    }
};

}  // namespace quill
