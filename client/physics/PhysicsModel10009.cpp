#include "client/physics/PhysicsModel10009.h"

namespace kestrovan {

PhysicsModel10009::PhysicsModel10009(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10008(tableKind, ballCount) {}

float PhysicsModel10009::TuningB11() {
    return 0.4f;
}

}  // namespace kestrovan
