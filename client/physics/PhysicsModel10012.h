#pragma once
// Code 0x10012: PhysicsModel10011 under its own code, which lays table kind 8 out with its own geometry.
#include "client/physics/PhysicsModel10011.h"

namespace kestrovan {

class PhysicsModel10012 : public PhysicsModel10011 {
public:
    PhysicsModel10012(uint32_t tableKind, uint16_t ballCount);
};

}  // namespace kestrovan
