#include "client/table/TableCameraRig.h"

#include "QuillLib/core/ScopedLock.h"
#include "client/rules/TablePhysics.h"
#include "client/table/CameraController.h"
#include "client/table/LockedCamera.h"
#include "client/table/ScreenProjection.h"
#include "client/table/TableAngles.h"
#include "client/table/TableCameras.h"
#include "client/table/TruncateToInt.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;
using quill::Vec3;

constexpr float kFramesPerSecond = 200.0f;

int32_t FramesOf(float seconds) {
    return TruncateToInt32(seconds * kFramesPerSecond);
}

}  // namespace

TableCameraRig::TableCameraRig(TablePhysics& physics, const CameraState& aim) : physics_(physics), aim_(aim) {}

Vec3 TableCameraRig::CueBallPosition() const {
    return physics_.CachedPosition(physics_.CueBall());
}

// --- camera moves ---

void TableCameraRig::MoveBehindCueBall(float yaw, float distance, float seconds, bool keepPitch,
                                       bool useGivenDistance) {
    if (controller_.Mode() == CameraController::kTopViewMode) {
        return;
    }
    float targetDistance = defaultCameraDistance_;
    float pitch = keepPitch ? aim_.elevation : defaultCameraPitch_;
    if (options_.useCallerDistance || useGivenDistance) {
        targetDistance = distance;
        pitch = keepPitch ? aim_.elevation : CameraController::kKeep;
    }
    controller_.SetTarget(targetDistance, pitch, WrapDegrees(yaw), CameraController::kKeep);
    controller_.SetLookAt(CueBallPosition());
    controller_.StartMove(FramesOf(seconds), 1);
}

void TableCameraRig::MoveCameraBehindCueBall(float distance, float seconds, bool keepPitch, bool useGivenDistance) {
    MoveBehindCueBall(aim_.aimYaw - 180.0f, distance, seconds, keepPitch, useGivenDistance);
}

void TableCameraRig::MoveCamera(float seconds, float distance, float pitch, bool lookAtCentre) {
    if (controller_.Mode() == CameraController::kTopViewMode) {
        return;
    }
    controller_.SetTarget(distance, pitch, CameraController::kKeep, CameraController::kKeep);
    controller_.SetLookAt(lookAtCentre ? Vec3{} : CueBallPosition());
    controller_.StartMove(FramesOf(seconds), 0);
}

void TableCameraRig::SetTopView(bool on) {
    const uint32_t mode = controller_.Mode();
    if (on && mode == CameraController::kAimingMode) {
        controller_.SetMode(CameraController::kTopViewMode);
        const CameraRef camera = controller_.CurrentCameraRef();
        LockedSetYawDegrees(camera, 90.0f);
        LockedSetPitchDegrees(camera, 90.0f);
        LockedSetDistance(camera, physics_.GameTypeOfTable() == quill::game_type::kSnooker ? 700.0f : 550.0f);
        LockedMoveTargetTo(camera, Vec3{});
    } else if (!on && mode == CameraController::kTopViewMode) {
        controller_.SetMode(CameraController::kAimingMode);
    }
    controller_.ApplyMode();
    if (refocusOnTopViewExit_ && controller_.Mode() == CameraController::kAimingMode) {
        FocusCameraOnCueBall();
    }
}

void TableCameraRig::FocusCameraOnCueBall() {
    LockedMoveTargetTo(controller_.CurrentCameraRef(), CueBallPosition());
}

// --- the cameras ---

void TableCameraRig::SetupCameras(SceneCameraSelector& scene, int32_t variant) {
    const quill::Camera* source = scene.CurrentCamera();
    if (source == nullptr) {
        return;
    }
    if (variant == 0) {
        for (const uint32_t mode : {CameraController::kTopViewMode, 2u, CameraController::kAimingMode}) {
            auto camera = std::make_unique<quill::Camera>(*source);
            camera->SetAspectRatio(scene.AspectRatio());
            TableCameras::Configure(*camera, *TableCameras::ModePreset(mode));
            const SceneCameraSelector::AddedCamera added = scene.AddCamera(std::move(camera));
            controller_.SetCamera(mode, added.camera);
            controller_.SetSceneCameraId(mode, added.id);
            controller_.SetMode(mode);
        }
        return;
    }
    const std::optional<CameraPreset> preset = TableCameras::VariantPreset(variant);
    if (!preset.has_value()) {
        return;
    }
    auto camera = std::make_unique<quill::Camera>(*source);
    TableCameras::Configure(*camera, *preset);
    controller_.SetCamera(CameraController::kAimingMode, camera.get());
    controller_.SetSceneCameraId(CameraController::kAimingMode, 1);
    controller_.SetMode(CameraController::kAimingMode);
    SetOwnedCamera(std::move(camera));
}

// --- options and the view behind the cue ball ---

void TableCameraRig::SetCameraFlags(bool a, bool b, bool c, bool force) {
    options_.cameraFlagA = a || force;
    options_.cameraFlagB = a || b || force;
    options_.cameraFlagC = c && !force;
    options_.cameraForced = force;
}

void TableCameraRig::ResetDefaultView() {
    defaultCameraDistance_ = kDefaultCameraDistance;
    defaultCameraPitch_ = kDefaultCameraPitch;
}

void TableCameraRig::KeepCurrentViewAsDefault() {
    const CameraRef camera = controller_.CurrentCameraRef();
    defaultCameraDistance_ = LockedGetDistance(camera);
    defaultCameraPitch_ = GetCameraPitchDegrees(camera);
}

// --- cursor positions back onto the table ---

void TableCameraRig::UpdateUnprojection() {
    quill::Camera* camera = controller_.CurrentCamera();
    if (camera == nullptr) {
        return;
    }
    quill::Matrix4 view;
    quill::Matrix4 projection;
    {
        ScopedLock holdCamera(camera->GetLock());
        camera->GetViewMatrix(view);
        camera->GetProjectionMatrix(projection);
    }
    quill::Matrix4 unprojection;
    if (MakeUnprojection(view, projection, unprojection)) {
        viewProjection_ = unprojection;
    }
}

bool TableCameraRig::UnprojectCursor(float x, float y, float planeZ, uint16_t width, uint16_t height,
                                     Vec3& out) const {
    quill::Matrix4 unprojection;
    unprojection = viewProjection_;
    return ScreenToTable(unprojection, width, height, x, y, planeZ, out);
}

}  // namespace kestrovan
