#include "client/physics/OrientationTurns.h"

#include "client/physics/PhysicsModel.h"
#include "client/physics/PhysicsVector.h"

namespace kestrovan {

void OrientationTurns::Resize(uint16_t count) {
    waiting_.assign(count, Waiting{});
}

quill::Quaternion OrientationTurns::TurnOf(const quill::Vec3& spin, float dt) {
    quill::Vec3 axis = spin;
    float rate = 0.0f;
    axis.Normalize(&rate);
    return RotationAbout(axis, rate * dt);
}

void OrientationTurns::ApplyAll(PhysicsModel& model, float dt) {
    for (size_t i = 0; i < waiting_.size(); ++i) {
        Waiting& waiting = waiting_[i];
        if (waiting.count == 0) {
            continue;
        }
        for (uint32_t k = 0; k < waiting.count; ++k) {
            turns_[k] = TurnOf(waiting.spins[k], dt);
        }
        quill::Quaternion& orientation = model.Ball(static_cast<uint16_t>(i)).orientation;
        for (uint32_t k = 0; k < waiting.count; ++k) {
            Turn(orientation, turns_[k]);
        }
        waiting.count = 0;
    }
}

}  // namespace kestrovan
