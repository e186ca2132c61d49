#pragma once
// Code 0x10001, the first class of the 10001 series: a cue mass of its own, the force-based cloth friction of the
// series' first version and the first tuning. The series' later classes derive one from the other.
#include "client/physics/PhysicsModel.h"

namespace kestrovan {

class PhysicsModel10001 : public PhysicsModel {
public:
    PhysicsModel10001(uint32_t tableKind, uint16_t ballCount);

    void SetupConstants() override;
    void SetupTuning() override;
    void ApplyClothFriction(PhysicsBall& ball, float dt, uint32_t surface) override;

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
