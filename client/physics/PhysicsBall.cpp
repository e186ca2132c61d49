#include "client/physics/PhysicsBall.h"

#include "QuillLib/core/Random.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/math/Vector2D.h"
#include "client/physics/PhysicsVector.h"
#include "client/physics/PocketGeometry.h"
#include "client/physics/SharedTableRecord.h"
#include "platform/system/ScopedFpuMode.h"

namespace kestrovan {

PhysicsBall::PhysicsBall(PhysicsModel* owner, SharedTableRecord* table, uint16_t ballIndex)
    : index(ballIndex), model(owner), shared(table) {
    Reset();
}

void PhysicsBall::Reset() {
    velocity = quill::kZeroVector;
    spin = quill::kZeroVector;
    cushionMask = 0;
    bedVector[0] = bedVector[1] = 0.0f;
    cushionPress[0] = cushionPress[1] = quill::kZeroVector;
    onBed = 0;
    for (int axis = 0; axis < 2; ++axis) {
        cushionPositive[axis] = 0;
        cushionNormalSpeed[axis] = 0.0f;
        cushionSteps[axis] = 0;
    }
    cueTimeLeft = 0.0f;
    if (orientation.Length() == 0.0f) {
        orientation = quill::kIdentityQuaternion;
    }
}

void PhysicsBall::SetSize(float radiusCentimetres, float massKilograms) {
    const platform::ScopedFpuMode fpuMode;
    radiusCm = radiusCentimetres;
    radiusM = radiusCm / 100.0f;
    inertiaArm = radiusM * 0.4f;
    mass = massKilograms;
}

bool PhysicsBall::IsInsideBounds(float margin) const {
    return IsInsideOuterFrame(*this, shared->geometry, margin);
}

bool PhysicsBall::FindApproachedPocket(uint8_t* pocketOut, float* depthOut) const {
    const PocketGeometry pockets(shared->geometry);
    for (uint8_t pocket = 1; pocket <= kPocketCount; ++pocket) {
        float cx = 0.0f;
        float cy = 0.0f;
        pockets.PocketCentre(pocket, &cx, &cy);
        const float dx = cx - position.x;
        const float dy = cy - position.y;
        const float length = quill::Length2D(dx, dy);
        const float depth = 2.0f * (length - pockets.PocketRadius(pocket)) / radiusCm;
        if (depth < 1.0f && dx * velocity.x + dy * velocity.y > 0.0f) {
            if (pocketOut != nullptr) {
                *pocketOut = pocket;
            }
            if (depthOut != nullptr) {
                *depthOut = depth;
            }
            return true;
        }
    }
    return false;
}

void PhysicsBall::SetRandomOrientation(uint32_t seed) {
    const platform::ScopedFpuMode fpuMode;
    quill::Random random;
    random.Seed(seed);
    // The draws are unsigned: a signed reading would change the remainders.
    const float degrees = static_cast<float>(random.Next() % 180u);
    const float ax = static_cast<float>(random.Next() % 100u);
    const float ay = static_cast<float>(random.Next() % 100u);
    const float az = static_cast<float>(random.Next() % 100u);
    // Three draws divisible by 100 give a zero axis and a quaternion that is not of unit length; that orientation
    // is kept as it is, because ball orientations are exchanged between clients.
    orientation = RotationAbout(quill::Vec3{ax, ay, az}, degrees * quill::kPi / 180.0f);
}

}  // namespace kestrovan
