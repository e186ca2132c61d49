#include "client/physics/PhysicsModel10001.h"

#include <bit>

#include "client/physics/CueStrike10001.h"
#include "client/physics/CushionContactSearch.h"
#include "client/physics/CushionContactStep.h"
#include "client/physics/ModelConstants.h"
#include "client/physics/PenetrationCushionPass.h"
#include "client/physics/PhysicsConstants.h"

namespace kestrovan {

PhysicsModel10001::PhysicsModel10001(uint32_t tableKind, uint16_t ballCount) : PhysicsModel(tableKind, ballCount) {}

void PhysicsModel10001::Strike(PhysicsBall& ball, const CueStroke& stroke) {
    CueStrike10001(*this, ball, stroke, 1, CueStrikeTuning{}).Run();
}

void PhysicsModel10001::SetupConstants() {
    PhysicsModel::SetupConstants();
    ModelConstants& c = TheModelConstants();
    c.CueSpeedScale = 4.3f;
    c.StrikeTimeBase = 0.0025f;
    c.BallFriction = 0.12f;
    c.BallFrictionAlt = 0.18f;
    cueMass_ = 1.0f;
}

void PhysicsModel10001::SetupTuning() {
    WriteFirstTuning(0.28f, std::bit_cast<float>(0x3F4CFB2Bu));
}

void PhysicsModel10001::WriteFirstTuning(float cushionFriction, float tangentialShare) {
    PhysicsConstants& k = ThePhysicsConstants();
    WriteCommonTuningEntries(k, Geometry().cushionNoseHeight);
    WriteTuningEntries(k, {{12, 0.5f},
                           {13, 50.0f},
                           {18, cushionFriction},
                           {19, cushionFriction},
                           {23, tangentialShare},
                           {28, 120000.0f},
                           {29, 7.0f},
                           {30, 80.0f}});
    if (HasPockets()) {
        WriteTuningEntries(k, {{0, 0.4f}, {1, 0.6f}, {2, 0.008f}, {3, 0.024f}});
    } else {
        WriteTuningEntries(k, {{0, 0.3f}, {1, 0.7f}, {2, 0.006f}, {3, 0.018f}});
    }
}

ClothFrictionForm PhysicsModel10001::ClothForm() {
    ClothFrictionForm form;
    form.forceForm = true;
    form.clothSpeedLoad = 2e-5f;
    form.stopTurnFactor = TuningB8();
    return form;
}

// The series' contact step: the part of the impulse off the normal counts 0.02 / h, and the horizontal tangent is
// b x n.
void PhysicsModel10001::CushionContactStep(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal,
                                           float force, float approachSpeed, float radiusM, float inertiaArm, float h,
                                           const PhysicsConstants& k) {
    kestrovan::CushionContactStep::Apply(velocity, spin, normal, force, approachSpeed, radiusM, inertiaArm, h, k, 0.02f,
                                         false);
}

void PhysicsModel10001::CollideCushions(PhysicsBall& ball, float dt) {
    // Far from every cushion (the common case) the pass would find nothing: it is not even built.
    if (CushionContactSearch::ZoneMask(Geometry(), ball, CushionContactSearch::BackBox::HalfOpen) != 0) {
        PenetrationCushionPass(*this, ball, dt, false).Run();
    }
}

float PhysicsModel10001::TuningB8() {
    return 2.5f;
}

float PhysicsModel10001::AdjustApproachSpeed(float /*a*/, float speed, float /*angle*/) {
    return speed;
}

}  // namespace kestrovan
