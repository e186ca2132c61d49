#pragma once
// Code 0x10014, the default model: PhysicsModel10013 with a softer jaw damping on pocket tables (K30 40).
#include "client/physics/PhysicsModel10013.h"

namespace kestrovan {

class PhysicsModel10014 : public PhysicsModel10013 {
public:
    PhysicsModel10014(uint32_t tableKind, uint16_t ballCount);

    void SetupTuning() override;
};

}  // namespace kestrovan
