#include "client/physics/PhysicsModel1000E.h"

#include "client/physics/ModelConstants.h"

namespace kestrovan {

PhysicsModel1000E::PhysicsModel1000E(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel1000D(tableKind, ballCount) {}

void PhysicsModel1000E::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrike10001(*this, ball, stroke, 7, LaterStrikeTuning()).Run();
}

void PhysicsModel1000E::SetupConstants() {
    PhysicsModel::SetupConstants();
    ModelConstants& c = TheModelConstants();
    c.CueSpeedScale = 4.4f;
    c.StrikeTimeBase = 0.0025f;
    c.BallFriction = 0.062f;
    c.BallFrictionAlt = 0.024f;
    c.BallSpinShare = 0.99f;
    SetCueMass(0.7f);
}

void PhysicsModel1000E::SetupTuning() {
    static const CaromTuningTable kCarom{
        {TuningRow{}, TuningRow{}},
        {TuningRow{{0, 0.28f}, {2, 0.0095f}, {1, 0.99f}, {3, 0.024f}},
         TuningRow{{0, 0.22f}, {2, 0.012f}, {1, 0.99f}, {3, 0.024f}}, TuningRow{},
         TuningRow{{0, 0.26f}, {2, 0.009f}, {1, 0.99f}, {3, 0.024f}},
         TuningRow{{0, 0.18f}, {2, 0.012f}, {1, 0.99f}, {3, 0.024f}}},
        {TuningRow{{28, 300000.0f}, {29, 54.0f}, {18, 0.22f}, {19, 0.24f}, {22, 0.0f}, {23, 0.99f}},
         TuningRow{{28, 330000.0f}, {29, 54.0f}, {18, 0.18f}, {19, 0.24f}, {22, 0.0f}, {23, 0.99f}},
         TuningRow{{28, 400000.0f}, {29, 50.0f}, {18, 0.22f}, {19, 0.24f}, {22, 0.0f}, {23, 0.99f}}},
        TuningRow{}};
    WriteSeriesTuning(JawPocketRow(), kCarom);
}

}  // namespace kestrovan
