#include "client/physics/PhysicsModel10004.h"

#include "client/physics/PhysicsMath.h"

namespace kestrovan {

PhysicsModel10004::PhysicsModel10004(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10003(tableKind, ballCount) {}

float PhysicsModel10004::AdjustApproachSpeed(float a, float speed, float angle) {
    if (!(speed < 0.0f)) {
        return speed;
    }
    return speed * (1.0f - 0.05f * physmath::Cos(angle) * (3.0f * a + 1.0f));
}

}  // namespace kestrovan
