#pragma once
// What the chalk particles need of the 3D pass: lines and sprites on the bed drawn a little nearer than the bed
// (a depth offset of the projection), and one camera-facing sprite per particle. The render device implements it
// once it is wired, with the burst's texture; tests record the calls.
//
// Threads: called on the main thread during the 3D pass.
#include <cstdint>

#include "QuillLib/math/Transform.h"

namespace kestrovan {

class ParticleDrawer {
public:
    virtual ~ParticleDrawer() = default;
    // The projection's depth offset: -0.01 while particles are drawn, 0 afterwards.
    virtual void SetProjectionOffset(float offset) = 0;
    // One billboard quad of the texture, centred on the transform's position and scaled by its scale.
    virtual void DrawSprite(uint32_t textureId, const quill::Transform& world, float opacity) = 0;
};

}  // namespace kestrovan
