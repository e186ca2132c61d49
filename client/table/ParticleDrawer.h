#pragma once
// What the chalk particles need of the 3D pass: sprites on the bed drawn a little nearer than the bed (a depth
// offset of the projection), and one camera-facing sprite per particle. DeviceParticleDrawer draws them on the
// render device; tests record the calls.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include "QuillLib/math/Transform.h"

namespace quill {
class Texture;
}

namespace kestrovan {

class ParticleDrawer {
public:
    virtual ~ParticleDrawer() = default;
    // The projection's depth offset: -0.01 while particles are drawn, 0 afterwards.
    virtual void SetProjectionOffset(float offset) = 0;
    // One quad of the texture (null: untextured) facing the viewer, centred on the transform's position, as
    // large as the texture in pixels times the transform's scale, its alpha times opacity.
    virtual void DrawSprite(quill::Texture* texture, const quill::Transform& world, float opacity) = 0;
};

}  // namespace kestrovan
