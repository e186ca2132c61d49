#pragma once
// One ball of a physics model: its size, its motion, the cue contact still to be delivered and the bookkeeping
// of its cushion contacts. Positions are centimetres, velocities m/s, spins rad/s.
#include <bit>
#include <cstdint>

#include "QuillLib/math/Quaternion.h"
#include "QuillLib/math/Vec3.h"

namespace kestrovan {

class PhysicsModel;
struct SharedTableRecord;

class PhysicsBall {
public:
    // A ball of the model's table; the holder sets its size and position before it takes part in a shot.
    PhysicsBall(PhysicsModel* model, SharedTableRecord* shared, uint16_t index);

    // Clears motion, cushion bookkeeping and the pending cue time; keeps position, pocketed and cueActive.
    void Reset();
    // radiusCm, radiusM = radiusCm / 100, inertiaArm = 0.4 radiusM, mass.
    void SetSize(float radiusCentimetres, float massKilograms);

    // A pocketed ball is at rest unless the cue is still acting on it; a ball on the table is at rest when every
    // component of velocity and spin is exactly 0 (a denormal reads as 0) and the cue is not acting.
    bool IsAtRest() const;
    bool IsInsideBounds(float margin) const;
    // The first pocket (1 to 6) whose capture circle the ball overlaps by its relative depth (below 1) while
    // moving towards its centre; writes the pocket and the depth when the pointers are given.
    bool FindApproachedPocket(uint8_t* pocketOut, float* depthOut) const;
    // A reproducible orientation from the seed: an angle of whole degrees below 180 about an axis of whole numbers.
    void SetRandomOrientation(uint32_t seed);

    uint16_t index;
    PhysicsModel* model;
    SharedTableRecord* shared;
    float radiusM = 30.5f;
    float radiusCm = 3050.0f;
    float mass = 0.25f;
    float inertiaArm = 12.2f;  // 0.4 radiusM: I / (m R) of a solid sphere
    quill::Vec3 position;
    quill::Vec3 velocity;
    quill::Vec3 spin;
    uint8_t pocketed = 0;     // 0 on the table, else the pocket that holds the ball
    uint8_t cushionMask = 0;  // cushions touched at the end of the last cushion pass (bits 1, 2, 4, 8)
    float bedVector[2] = {0.0f, 0.0f};
    quill::Quaternion orientation;
    uint8_t onBed = 0;
    quill::Vec3 cueLinear;   // the velocity the pending cue contact adds over its duration
    quill::Vec3 cueAngular;  // the spin it adds
    float cueTimeLeft = 0.0f;
    float cueDuration = 0.0f;
    float cuePhaseRate = 0.0f;            // pi / cueDuration
    uint8_t cushionPositive[2] = {0, 0};  // per cushion axis (x, y)
    float cushionNormalSpeed[2] = {0.0f, 0.0f};
    uint8_t cushionSteps[2] = {0, 0};  // sub-steps in contact, capped at 4
    uint8_t cueActive = 0;
    quill::Vec3 cushionPress[2];  // per cushion axis: the deformation of the current cushion contact
};

// Every component is 0 when none has an exponent: read on the bits (one test instead of six) with a denormal
// counting as 0, as the physics' floating-point mode compares it.
inline bool PhysicsBall::IsAtRest() const {
    if (cueActive != 0) {
        return false;
    }
    if (pocketed != 0) {
        return true;
    }
    const uint32_t exponents = std::bit_cast<uint32_t>(velocity.x) | std::bit_cast<uint32_t>(velocity.y) |
                               std::bit_cast<uint32_t>(velocity.z) | std::bit_cast<uint32_t>(spin.x) |
                               std::bit_cast<uint32_t>(spin.y) | std::bit_cast<uint32_t>(spin.z);
    return (exponents & 0x7F800000u) == 0;
}

}  // namespace kestrovan
