#include "client/physics/PhysicsModel1000F.h"

namespace kestrovan {

PhysicsModel1000F::PhysicsModel1000F(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel1000E(tableKind, ballCount) {}

void PhysicsModel1000F::SetupTuning() {
    PhysicsModel1000E::SetupTuning();
    TableGeometry& geometry = SharedRecord().geometry;
    geometry.cushionTopHeight = geometry.cushionNoseHeight + 0.5f;
}

float PhysicsModel1000F::TuningB15() {
    return 1.5f;
}

}  // namespace kestrovan
