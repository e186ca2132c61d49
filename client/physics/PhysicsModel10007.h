#pragma once
// Code 0x10007: a third cushion mode and softer pocket-table restitution.
#include "client/physics/PhysicsModel10006.h"

namespace kestrovan {

class PhysicsModel10007 : public PhysicsModel10006 {
public:
    PhysicsModel10007(uint32_t tableKind, uint16_t ballCount);

    // The fourth strike version: the contact is followed until the cue rebounds.
    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;
    void SetupTuning() override;
};

}  // namespace kestrovan
