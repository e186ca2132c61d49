#include "client/physics/PhysicsModel1000C.h"

#include "client/physics/BallContactPass10005.h"
#include "client/physics/ModelConstants.h"

namespace kestrovan {

PhysicsModel1000C::PhysicsModel1000C(uint32_t tableKind, uint16_t ballCount)
    : PhysicsModel1000B(tableKind, ballCount) {}

void PhysicsModel1000C::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrike10001(*this, ball, stroke, 6, LaterStrikeTuning()).Run();
}

CueStrikeTuning PhysicsModel1000C::LaterStrikeTuning() {
    CueStrikeTuning tuning;
    tuning.contactTimeGain = TuningB11();
    tuning.sideScale = TuningB19();
    tuning.heightScale = TuningB20();
    tuning.blendWeight = TuningB21();
    tuning.finalSpinFactor = TuningB18();
    return tuning;
}

void PhysicsModel1000C::SetupConstants() {
    PhysicsModel::SetupConstants();
    ModelConstants& c = TheModelConstants();
    c.CueSpeedScale = 4.67f;
    c.StrikeTimeBase = 0.0025f;
    c.BallFriction = 0.062f;
    c.BallFrictionAlt = 0.024f;
    c.BallSpinShare = 0.99f;
    SetCueMass(0.7f);
}

void PhysicsModel1000C::SetupTuning() {
    static const CaromTuningTable kCarom{
        {TuningRow{}, TuningRow{}},
        {TuningRow{{0, 0.28f}, {2, 0.0095f}, {3, 0.024f}, {1, 0.99f}},
         TuningRow{{0, 0.28f}, {1, 0.9f}, {2, 0.0088f}, {3, 0.028f}}, TuningRow{}, TuningRow{},
         TuningRow{{0, 0.18f}, {2, 0.0075f}, {3, 0.02f}, {1, 0.99f}}},
        {TuningRow{{18, 0.22f}, {19, 0.24f}, {28, 300000.0f}}, TuningRow{{18, 0.22f}, {19, 0.26f}, {28, 350000.0f}},
         TuningRow{{18, 0.2f}, {19, 0.24f}, {28, 400000.0f}}},
        TuningRow{{22, 0.0f}, {23, 0.99f}, {29, 54.0f}}};
    WriteSeriesTuning(LaterPocketRow(), kCarom);
}

bool PhysicsModel1000C::CollideBalls() {
    BallContactFriction10005 friction;
    friction.secondVersion = true;
    friction.velocityScale = TuningB17();
    return BallContactPass10005(*this, PairSearch(), friction).Run();
}

bool PhysicsModel1000C::CushionRebound(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                       quill::Vec3& deformation, float radiusM, float mass, float inertiaArm, float h,
                                       const PhysicsConstants& k) {
    CushionReboundForm form = WeightedReboundForm();
    form.version = CushionReboundForm::Version::Third;
    form.loadExponent = TuningB22();
    form.opposedAlongScale = TuningB23();
    return kestrovan::CushionRebound::Step(velocity, spin, normal, deformation, radiusM, mass, inertiaArm, h, k, form);
}

float PhysicsModel1000C::TuningB12() {
    return 1.1f;
}
float PhysicsModel1000C::TuningB13() {
    return 1.0f;
}
float PhysicsModel1000C::TuningB14() {
    return 1.0f;
}
float PhysicsModel1000C::TuningB15() {
    return 2.0f;
}
float PhysicsModel1000C::TuningB16() {
    return 1.6e-4f;
}
float PhysicsModel1000C::TuningB17() {
    return 0.2f;
}
float PhysicsModel1000C::TuningB18() {
    return 1.1f;
}
float PhysicsModel1000C::TuningB19() {
    return 1.0f;
}
float PhysicsModel1000C::TuningB20() {
    return 1.0f;
}
float PhysicsModel1000C::TuningB21() {
    return 0.1f;
}
float PhysicsModel1000C::TuningB22() {
    return 1.038f;
}
float PhysicsModel1000C::TuningB23() {
    return 0.8f;
}

}  // namespace kestrovan
