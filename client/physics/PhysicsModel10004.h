#pragma once
// Code 0x10004: a low hit is weakened more at higher power, by 1 - 0.05 cos(elevation) (3 power + 1).
#include "client/physics/PhysicsModel10003.h"

namespace kestrovan {

class PhysicsModel10004 : public PhysicsModel10003 {
public:
    PhysicsModel10004(uint32_t tableKind, uint16_t ballCount);

    float AdjustApproachSpeed(float a, float speed, float angle) override;
};

}  // namespace kestrovan
