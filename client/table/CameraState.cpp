#include "client/table/CameraState.h"

#include <algorithm>
#include <cmath>

#include "client/table/StepToward.h"
#include "client/table/TableAngles.h"

namespace kestrovan {
namespace {

float KeepOr(float value, float present) {
    return value == CameraState::kKeep ? present : value;
}

}  // namespace

void CameraState::Reset() {
    *this = CameraState{};
}

void CameraState::ResetAim() {
    pullBack = kRestingPullBack;
    tipOffsetX = 0.0f;
    tipOffsetY = 0.0f;
    aimPointX = 1000.0f;
    aimPointY = 0.0f;
    elevation = kDefaultElevation;
    elevationCopy = kDefaultElevation;
    aimYaw = 0.0f;
}

void CameraState::SetYawDegrees(float degrees) {
    aimYaw = WrapDegrees(degrees);
}

void CameraState::SetPullBack(float value) {
    pullBack = std::max(std::min(value, kMaxPullBack), -backswingLimit);
}

void CameraState::SetTargets(float tipX, float tipY, float yaw, float elevationTarget) {
    targets_.tipX = KeepOr(tipX, tipOffsetX);
    targets_.tipY = KeepOr(tipY, tipOffsetY);
    targets_.elevation = KeepOr(elevationTarget, elevation);
    targets_.yaw = WrapDegrees(KeepOr(yaw, aimYaw));
}

void CameraState::StartEase(int32_t frames) {
    framesLeft_ = frames;
    easing_ = true;
    const auto count = static_cast<float>(std::max(frames, 1));
    if (std::fabs(targets_.yaw - aimYaw) > 180.0f) {
        targets_.yaw += targets_.yaw > aimYaw ? -360.0f : 360.0f;
    }
    steps_.tipX = (targets_.tipX - tipOffsetX) / count;
    steps_.tipY = (targets_.tipY - tipOffsetY) / count;
    steps_.yaw = (targets_.yaw - aimYaw) / count;
    steps_.elevation = (targets_.elevation - elevation) / count;
}

void CameraState::StopEase() {
    easing_ = false;
    framesLeft_ = 0;
}

int CameraState::Tick() {
    if (!easing_) {
        return kIdle;
    }
    if (framesLeft_ <= 0) {
        easing_ = false;
        return kEnded;
    }
    --framesLeft_;
    Step();
    return kStepped;
}

void CameraState::Step() {
    // The last frame lands on the targets, whatever the rounding of the equal steps left short of them.
    const bool last = framesLeft_ == 0;
    const auto next = [last](float present, float step, float target) {
        return last ? target : StepToward(present, step, target);
    };
    tipOffsetX = next(tipOffsetX, steps_.tipX, targets_.tipX);
    tipOffsetY = next(tipOffsetY, steps_.tipY, targets_.tipY);
    SetYawDegrees(next(aimYaw, steps_.yaw, targets_.yaw));
    elevation = next(elevation, steps_.elevation, targets_.elevation);
    elevationCopy = elevation;
}

}  // namespace kestrovan
