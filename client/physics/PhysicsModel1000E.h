#pragma once
// Code 0x1000E: a slower cue speed scale (4.4) and its own carom tuning.
#include "client/physics/PhysicsModel1000D.h"

namespace kestrovan {

class PhysicsModel1000E : public PhysicsModel1000D {
public:
    PhysicsModel1000E(uint32_t tableKind, uint16_t ballCount);

    // The seventh strike version: the cloth is pressed only by a ball resting on it, with new limits.
    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;
    void SetupConstants() override;
    void SetupTuning() override;
};

}  // namespace kestrovan
