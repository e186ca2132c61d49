#pragma once
// Code 0x10008: the strike's contact-time gain becomes a tuning value (0.2).
#include "client/physics/PhysicsModel10007.h"

namespace kestrovan {

class PhysicsModel10008 : public PhysicsModel10007 {
public:
    PhysicsModel10008(uint32_t tableKind, uint16_t ballCount);

    // The fifth strike version: the contact is followed until it separates, with limits on the tip's and the
    // cloth's compression.
    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;

    // The strike's contact-time gain.
    virtual float TuningB11();
};

}  // namespace kestrovan
