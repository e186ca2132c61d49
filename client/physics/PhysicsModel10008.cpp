#include "client/physics/PhysicsModel10008.h"

#include "client/physics/CueStrike10001.h"

namespace kestrovan {

PhysicsModel10008::PhysicsModel10008(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10007(tableKind, ballCount) {}

void PhysicsModel10008::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrikeTuning tuning;
    tuning.contactTimeGain = TuningB11();
    CueStrike10001(*this, ball, stroke, 5, tuning).Run();
}

float PhysicsModel10008::TuningB11() {
    return 0.2f;
}

}  // namespace kestrovan
