#include "client/physics/PhysicsModel10002.h"

#include "client/physics/ModelConstants.h"

namespace kestrovan {

PhysicsModel10002::PhysicsModel10002(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel10001(tableKind, ballCount) {}

void PhysicsModel10002::SetupConstants() {
    PhysicsModel::SetupConstants();
    ModelConstants& c = TheModelConstants();
    c.CueSpeedScale = 4.67f;
    c.StrikeTimeBase = 0.0025f;
    c.BallFriction = 0.12f;
    c.BallFrictionAlt = 0.18f;
    SetCueMass(0.7f);
}

void PhysicsModel10002::SetupTuning() {
    WriteFirstTuning(0.26f, 0.81f);
}

float PhysicsModel10002::TuningB8() {
    return 2.0f;
}

}  // namespace kestrovan
