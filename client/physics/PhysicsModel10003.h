#pragma once
// Code 0x10003: a low hit (negative spin offset) is weakened by 1 - 0.2 cos(elevation).
#include "client/physics/PhysicsModel10002.h"

namespace kestrovan {

class PhysicsModel10003 : public PhysicsModel10002 {
public:
    PhysicsModel10003(uint32_t tableKind, uint16_t ballCount);

    float AdjustApproachSpeed(float a, float speed, float angle) override;
};

}  // namespace kestrovan
