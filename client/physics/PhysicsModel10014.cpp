#include "client/physics/PhysicsModel10014.h"

namespace kestrovan {

PhysicsModel10014::PhysicsModel10014(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10013(tableKind, ballCount) {}

void PhysicsModel10014::SetupTuning() {
    WriteSeriesTuning(LaterCloth(), 40.0f);
}

}  // namespace kestrovan
