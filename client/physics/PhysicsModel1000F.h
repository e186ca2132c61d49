#pragma once
// Code 0x1000F: PhysicsModel1000E with the cushion's top half a centimetre above its nose, and a slip weight
// across the cushion of 1.5.
#include "client/physics/PhysicsModel1000E.h"

namespace kestrovan {

class PhysicsModel1000F : public PhysicsModel1000E {
public:
    PhysicsModel1000F(uint32_t tableKind, uint16_t ballCount);

    void SetupTuning() override;
    float TuningB15() override;
};

}  // namespace kestrovan
