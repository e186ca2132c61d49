#pragma once
// Code 0x10001, the first class of the 10001 series: a cue mass of its own, the first versions of the series'
// strike, cushion pass (with its own contact step) and force-based cloth friction, and the first tuning. The series'
// later classes derive one from the other.
#include "client/physics/PhysicsModel.h"

namespace kestrovan {

class PhysicsModel10001 : public PhysicsModel {
public:
    PhysicsModel10001(uint32_t tableKind, uint16_t ballCount);

    // The first strike version: no simulated contact, the bed's rebound instead.
    void Strike(PhysicsBall& ball, const CueStroke& stroke) override;
    void SetupConstants() override;
    void SetupTuning() override;
    ClothFrictionForm ClothForm() override;
    void CushionContactStep(quill::Vec3& velocity, quill::Vec3& spin, const CushionNormal& normal, float force,
                            float approachSpeed, float radiusM, float inertiaArm, float h,
                            const PhysicsConstants& k) override;
    // The first version of the series' cushion pass.
    void CollideCushions(PhysicsBall& ball, float dt) override;

    // The turning friction factor once rolling has stopped a ball.
    virtual float TuningB8();
    // The strike's adjustment of a low (negative) spin offset by power a and elevation angle.
    virtual float AdjustApproachSpeed(float a, float speed, float angle);

    float CueMass() const { return cueMass_; }

protected:
    void SetCueMass(float mass) { cueMass_ = mass; }
    // The first tuning of the series (K23 differs between 0x10001 and its successors).
    void WriteFirstTuning(float cushionFriction, float tangentialShare);

private:
    float cueMass_ = 0.0f;
};

}  // namespace kestrovan
