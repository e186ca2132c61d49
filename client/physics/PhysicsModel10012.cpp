#include "client/physics/PhysicsModel10012.h"

namespace kestrovan {

PhysicsModel10012::PhysicsModel10012(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10011(tableKind, ballCount) {}

}  // namespace kestrovan
