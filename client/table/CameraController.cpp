#include "client/table/CameraController.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "client/table/StepToward.h"
#include "client/table/TableAngles.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;
using quill::Vec3;

// The short way round: a yaw target more than half a turn away is moved by a whole turn toward the present yaw.
float ShortWayYaw(float target, float present) {
    if (std::fabs(target - present) > 180.0f) {
        return target <= present ? target + 360.0f : target - 360.0f;
    }
    return target;
}

// The present yaw on the target's side of the half-turn seam: the camera reports yaws in [-180, 180], while a
// move that crosses the seam steps toward a target outside that range.
float UnwrapYaw(float present, float target) {
    const float difference = target - present;
    if (std::fabs(difference) > 180.0f && std::isfinite(difference)) {
        return target - std::remainder(difference, 360.0f);
    }
    return present;
}

}  // namespace

void CameraController::SetCamera(uint32_t mode, quill::Camera* camera) {
    if (mode < kModeCount) {
        cameras_[mode] = camera;
    }
}

quill::Camera* CameraController::GetCamera(uint32_t mode) const {
    return mode < kModeCount ? cameras_[mode] : nullptr;
}

quill::Camera* const* CameraController::CurrentCameraRef() const {
    return CameraRefOf(mode_);
}

quill::Camera* const* CameraController::CameraRefOf(uint32_t mode) const {
    return mode < kModeCount ? &cameras_[mode] : nullptr;
}

void CameraController::SetMode(uint32_t mode) {
    if (mode < kModeCount) {
        mode_ = mode;
    }
}

void CameraController::SetSceneCameraId(uint32_t mode, uint32_t id) {
    if (mode < kModeCount) {
        sceneCameraIds_[mode] = id;
    }
}

uint32_t CameraController::GetSceneCameraId(int32_t mode) const {
    const uint32_t index = mode < 0 ? mode_ : static_cast<uint32_t>(mode);
    return index < kModeCount ? sceneCameraIds_[index] : 0;
}

void CameraController::ApplyMode() {
    if (scene_ != nullptr) {
        scene_->SelectCamera(GetSceneCameraId(-1));
    }
}

CameraController::Present CameraController::ReadPresent() const {
    Present present;
    quill::Camera* camera = CurrentCamera();
    if (camera == nullptr) {
        return present;
    }
    ScopedLock hold(camera->GetLock());
    present.values[kDistance] = camera->GetDistance();
    present.values[kPitch] = RadiansToDegrees(camera->GetPitch());
    present.values[kYaw] = RadiansToDegrees(camera->GetYaw());
    present.values[kFov] = camera->FieldOfView();
    present.target = camera->Target();
    return present;
}

void CameraController::SetTarget(float distance, float pitchDegrees, float yawDegrees, float fovDegrees) {
    const Present present = ReadPresent();
    const float given[kComponentCount] = {distance, pitchDegrees, yawDegrees,
                                          fovDegrees == kKeep ? kKeep : quill::DegreesToRadians(fovDegrees)};
    for (int i = 0; i < kComponentCount; ++i) {
        changes_[i] = given[i] != kKeep;
        targets_[i] = changes_[i] ? given[i] : present.values[i];
    }
}

void CameraController::SetLookAt(const Vec3& point) {
    lookAtMove_ = true;
    lookAtTarget_ = point;
}

void CameraController::Retarget(float distance, float pitchDegrees, float yawDegrees, float fovDegrees) {
    const Present present = ReadPresent();
    const float given[kComponentCount] = {distance, pitchDegrees, yawDegrees,
                                          fovDegrees == kKeep ? kKeep : quill::DegreesToRadians(fovDegrees)};
    const auto frames = static_cast<float>(std::max<uint32_t>(framesLeft_, 1));
    for (int i = 0; i < kComponentCount; ++i) {
        if (given[i] != kKeep) {
            changes_[i] = true;
            targets_[i] = given[i];
            steps_[i] = (targets_[i] - present.values[i]) / frames;
        }
    }
}

void CameraController::StartMove(int32_t frames, uint8_t notify) {
    // A move shorter than one frame (a time below 5 ms) still takes its one step.
    const int32_t count = std::max(frames, 1);
    framesLeft_ = static_cast<uint32_t>(count);
    running_ = true;
    notify_ = notify;
    const Present present = ReadPresent();
    targets_[kYaw] = ShortWayYaw(targets_[kYaw], present.values[kYaw]);
    const auto n = static_cast<float>(count);
    for (int i = 0; i < kComponentCount; ++i) {
        steps_[i] = (targets_[i] - present.values[i]) / n;
    }
    if (lookAtMove_) {
        lookAtStep_ = (lookAtTarget_ - present.target) * (1.0f / n);
    }
}

void CameraController::Stop() {
    framesLeft_ = 0;
    running_ = false;
}

int CameraController::Tick() {
    if (!running_) {
        return kIdle;
    }
    if (framesLeft_ > 0) {
        --framesLeft_;
        return kStepDue;
    }
    quill::Camera* camera = CurrentCamera();
    if (applyAtEnd_ && lookAtMove_ && camera != nullptr) {
        ScopedLock hold(camera->GetLock());
        camera->MoveTargetTo(lookAtTarget_);
    }
    running_ = false;
    applyAtEnd_ = false;
    lookAtMove_ = false;
    framesLeft_ = 0;
    return kEnded;
}

void CameraController::CopyCamera(uint32_t sourceMode, uint32_t destinationMode) {
    quill::Camera* source = GetCamera(sourceMode);
    quill::Camera* destination = GetCamera(destinationMode);
    if (sourceMode == destinationMode || source == nullptr || destination == nullptr || source == destination) {
        return;
    }
    // A snapshot first, so that the two camera locks are never held together.
    quill::Camera copy(u"");
    {
        ScopedLock hold(source->GetLock());
        copy.CopyViewStateFrom(*source);
    }
    ScopedLock hold(destination->GetLock());
    destination->CopyViewStateFrom(copy);
}

void CameraController::Step() {
    quill::Camera* camera = CurrentCamera();
    if (camera == nullptr) {
        return;
    }
    const Present present = ReadPresent();
    ScopedLock hold(camera->GetLock());
    ApplyStep(*camera, present);
}

void CameraController::ApplyStep(quill::Camera& camera, const Present& present) {
    // The last frame lands on the targets, whatever the rounding of the equal steps left short of them.
    const bool last = framesLeft_ == 0;
    float next[kComponentCount];
    for (int i = 0; i < kComponentCount; ++i) {
        const float from = i == kYaw ? UnwrapYaw(present.values[i], targets_[i]) : present.values[i];
        next[i] = last ? targets_[i] : StepToward(from, steps_[i], targets_[i]);
    }
    if (changes_[kDistance]) {
        camera.SetDistance(next[kDistance]);
    }
    if (changes_[kPitch]) {
        camera.SetPitch(quill::DegreesToRadians(next[kPitch]), false);
    }
    if (changes_[kYaw]) {
        camera.SetYaw(quill::DegreesToRadians(next[kYaw]));
    }
    if (changes_[kFov]) {
        camera.SetFieldOfView(next[kFov]);
    }
    if (lookAtMove_) {
        // The looked-at point never passes its target either, so the move ends exactly on it.
        const Vec3 point = last ? lookAtTarget_
                                : Vec3{StepToward(present.target.x, lookAtStep_.x, lookAtTarget_.x),
                                       StepToward(present.target.y, lookAtStep_.y, lookAtTarget_.y),
                                       StepToward(present.target.z, lookAtStep_.z, lookAtTarget_.z)};
        camera.MoveTargetTo(point);
    }
}

void CameraController::SaveView() {
    const Present present = ReadPresent();
    saved_.pitch = present.values[kPitch];
    saved_.distance = present.values[kDistance];
    saved_.yaw = present.values[kYaw];
    saved_.fieldOfView = present.values[kFov];
    saved_.target = present.target;
}

}  // namespace kestrovan
