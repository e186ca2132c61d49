#include "client/table/CameraState.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "QuillLib/net/MessageId.h"
#include "client/table/StepToward.h"
#include "client/table/TableAngles.h"

namespace kestrovan {
namespace {

constexpr uint32_t kAimStateInterval = 1000;  // ms
// The cue's swing: pushed forward to this pull-back, drawn back to the other, 0.2 per frame; the last push
// adds 0.5 per frame.
constexpr float kSwingFront = -2.0f;
constexpr float kSwingBack = -15.0f;
constexpr float kSwingStep = 0.2f;
constexpr float kLastPushStep = 0.5f;

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

void CameraState::SetBackswingSteps(int32_t steps) {
    backswingSteps = steps;
    backswingLimit = static_cast<float>(steps) * 0.22f + 3.0f;
}

void CameraState::SaveSnapshot() {
    snapshot_ = {tipOffsetX, tipOffsetY, aimYaw, elevation};
}

bool CameraState::CheckChanged(uint32_t nowMs) {
    if (tipOffsetX != snapshot_.tipX || tipOffsetY != snapshot_.tipY || elevation != snapshot_.elevation ||
        aimYaw != snapshot_.yaw) {
        return true;
    }
    stamp_ = nowMs;
    return false;
}

bool CameraState::CheckStampElapsed(uint32_t nowMs) {
    if (nowMs - stamp_ > kAimStateInterval) {
        stamp_ = nowMs;
        return true;
    }
    return false;
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
    if (strokeMode_) {
        return;
    }
    const auto count = static_cast<float>(std::max(frames, 1));
    if (std::fabs(targets_.yaw - aimYaw) > 180.0f) {
        targets_.yaw += targets_.yaw > aimYaw ? -360.0f : 360.0f;
    }
    steps_.tipX = (targets_.tipX - tipOffsetX) / count;
    steps_.tipY = (targets_.tipY - tipOffsetY) / count;
    steps_.yaw = (targets_.yaw - aimYaw) / count;
    steps_.elevation = (targets_.elevation - elevation) / count;
}

void CameraState::StartStroke(int32_t swings) {
    strokePhase_ = 2 * swings - 1;
    strokeMode_ = true;
    framesLeft_ = kStrokeFrames;
    easing_ = true;
}

void CameraState::StopEase() {
    easing_ = false;
    strokeMode_ = false;
    framesLeft_ = 0;
}

int CameraState::Tick() {
    if (!easing_) {
        return kIdle;
    }
    if (framesLeft_ <= 0) {
        easing_ = false;
        strokeMode_ = false;
        return kEnded;
    }
    --framesLeft_;
    Step();
    return kStepped;
}

void CameraState::Step() {
    if (strokeMode_) {
        StepStroke();
    } else {
        StepGlide();
    }
}

void CameraState::StepGlide() {
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

void CameraState::StepStroke() {
    if (strokePhase_ < 0) {
        // The phases are over (or there were none): the swing ends with this frame.
        framesLeft_ = 0;
        return;
    }
    if (strokePhase_ == 0) {
        SetPullBack(pullBack + kLastPushStep);
        if (pullBack >= 0.0f) {
            --strokePhase_;
            framesLeft_ = 0;
        }
    }
    // The swing runs until its phases end, not for its frame budget.
    framesLeft_ = 1;
    if (strokePhase_ >= 0 && strokePhase_ % 2 == 0) {
        SetPullBack(pullBack + kSwingStep);
        if (pullBack >= kSwingFront) {
            --strokePhase_;
        }
    }
    if (strokePhase_ >= 0 && strokePhase_ % 2 == 1) {
        SetPullBack(pullBack - kSwingStep);
        if (pullBack <= kSwingBack) {
            --strokePhase_;
        }
    }
}

void CameraState::WriteAimState(quill::Packet& packet) const {
    packet.Init(quill::MessageId::AimState);
    for (float value : {aimPointX, aimPointY, tipOffsetX, tipOffsetY, elevation}) {
        packet.WriteU32(std::bit_cast<uint32_t>(value));
    }
}

}  // namespace kestrovan
