#pragma once
// Code 0x10009: a contact-time gain of 0.4.
#include "client/physics/PhysicsModel10008.h"

namespace kestrovan {

class PhysicsModel10009 : public PhysicsModel10008 {
public:
    PhysicsModel10009(uint32_t tableKind, uint16_t ballCount);

    float TuningB11() override;
};

}  // namespace kestrovan
