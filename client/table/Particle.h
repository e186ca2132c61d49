#pragma once
// One chalk particle: a small camera-facing sprite thrown from the cue tip that flies, falls to the bed and
// fades there. Its position is local to the emitter's placement (its parent transform); with the emitter at the
// cue tip above the bed, the floor it lands on is the bed.
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

class Particle {
public:
    // Emission: position and scale in the emitter's frame, the velocity, and the floor height (the emitter's
    // height above the bed). The particle starts flying.
    void Launch(const quill::Transform& emitter, const quill::Vec3& position, float size,
                const quill::Vec3& velocity);
    void SetFade(float fadeDuration, float startAlpha, float acceleration);

    // Advances by dt seconds; true once the particle has landed and faded out.
    bool Update(float dt);

    const quill::Transform& World() const { return world_; }
    const quill::Transform& Local() const { return local_; }
    float Opacity() const { return opacity_; }
    bool HasLanded() const { return landed_; }

private:
    // local -> world, combined with the parent unless the parent is the identity.
    void RefreshWorld();

    quill::Transform local_;
    quill::Transform parent_;
    quill::Transform world_;
    quill::Vec3 velocity_;
    quill::Vec3 fallDirection_{0.0f, 0.0f, -1.0f};
    float fadeDuration_ = 0.0f;
    float startAlpha_ = 1.0f;
    float acceleration_ = 0.0f;
    float floorLimit_ = 0.0f;
    bool landed_ = false;
    float fadeTime_ = 0.0f;
    float opacity_ = 1.0f;
};

}  // namespace kestrovan
