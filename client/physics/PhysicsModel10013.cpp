#include "client/physics/PhysicsModel10013.h"

#include "client/physics/PhysicsMath.h"

namespace kestrovan {

PhysicsModel10013::PhysicsModel10013(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10012(tableKind, ballCount) {}

float PhysicsModel10013::TuningA10() {
    return 28.0f;
}

float PhysicsModel10013::BlendA12(float a1, float a2, float a3, float /*a4*/) {
    // The cube in double precision, rounded once to float.
    const float cube = static_cast<float>(physmath::CubeOf(1.0f - a2));
    return 10.0f * (4.0f * a1 * (TuningA10() + TuningA11() * cube) / (3.0f * a3 + 1.0f) + 4.0f * a3);
}

float PhysicsModel10013::ScaleA14(float a1, float a2, float a3, float a4, float a5) {
    if (a5 < 0.0f) {
        a5 = 0.0f;
    }
    return PhysicsModel10012::ScaleA14(a1, a2, a3, a4, a5);
}

}  // namespace kestrovan
