#pragma once
// Code 0x1000B: new carom cloth and cushion values, sliding scales of 0.7.
#include "client/physics/PhysicsModel1000A.h"

namespace kestrovan {

class PhysicsModel1000B : public PhysicsModel1000A {
public:
    PhysicsModel1000B(uint32_t tableKind, uint16_t ballCount);

    void SetupTuning() override;
    float TuningB12() override;
    float TuningB13() override;
};

}  // namespace kestrovan
