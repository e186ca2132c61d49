#include "client/physics/PhysicsModel10003.h"

#include "client/physics/PhysicsMath.h"

namespace kestrovan {

PhysicsModel10003::PhysicsModel10003(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10002(tableKind, ballCount) {}

float PhysicsModel10003::AdjustApproachSpeed(float /*a*/, float speed, float angle) {
    if (!(speed < 0.0f)) {
        return speed;
    }
    return speed * (1.0f - 0.2f * physmath::Cos(angle));
}

}  // namespace kestrovan
