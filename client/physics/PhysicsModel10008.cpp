#include "client/physics/PhysicsModel10008.h"

namespace kestrovan {

PhysicsModel10008::PhysicsModel10008(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10007(tableKind, ballCount) {}

float PhysicsModel10008::TuningB11() {
    return 0.2f;
}

}  // namespace kestrovan
