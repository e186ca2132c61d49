// The camera and cue events of the game table: the input and the update post them, the render step applies them
// on the main thread (orbit, pitch and zoom the camera, move the cue tip, raise or lower the cue), and looking
// along the cue the view keeps above the cue's elevation. Cameras change here under their own locks; the aim (the
// cue offsets and elevation) under the table lock, which the update and the input hold as well.
#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableEvents.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr float kDegrees = 3.1415927f / 180.0f;
constexpr float kBreakYawLow = 147.0f;
constexpr float kBreakYawHigh = 152.0f;

// The three-cushion break keeps the view along the table's length.
void KeepBreakYaw(CameraRef camera) {
    if (camera == nullptr || *camera == nullptr) {
        return;
    }
    const float yaw = LockedGetYawDegrees(camera);
    if (yaw < kBreakYawLow || yaw > kBreakYawHigh) {
        LockedSetYawDegrees(camera, std::clamp(yaw, kBreakYawLow, kBreakYawHigh));
    }
}

}  // namespace

void GameTable::DrainTableEvents() {
    while (quill::AppEvent* event = eventQueue_.Pop()) {
        HandleTableEvent(event->id, static_cast<int32_t>(event->wParam), static_cast<int32_t>(event->lParam));
        eventQueue_.Pool().Free(event);
    }
}

void GameTable::HandleTableEvent(uint32_t id, int32_t a, int32_t b) {
    CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    switch (id) {
        case TableEventId::OrbitCamera:
            OrbitCamera(a, b);
            break;
        case TableEventId::PitchCamera:
            if (camera != nullptr && *camera != nullptr) {
                ScopedLock hold((*camera)->GetLock());
                (*camera)->Orbit(0.0f, static_cast<float>(b) / 5.0f * kDegrees, false);
            }
            break;
        case TableEventId::ZoomCamera:
            ZoomCamera(a);
            break;
        case TableEventId::RestoreCamera:
            if (state_ != 6) {
                cameras_.GetCamera().ApplyMode();
            }
            break;
        case TableEventId::StepCameraMove:
            cameras_.GetCamera().Step();
            break;
        case TableEventId::MoveTipOffset:
            aim_.MoveTipOffset(a, b);
            break;
        case TableEventId::ChangeElevation:
            aim_.ChangeElevation(b);
            break;
        default:
            break;
    }
}

void GameTable::OrbitCamera(int32_t dxCounts, int32_t dyCounts) {
    const TableCameraRig::CameraOptions& options = cameras_.Options();
    float dx = static_cast<float>(options.invertHorizontal ? -dxCounts : dxCounts) * options.horizontalOrbitScale;
    float dy = static_cast<float>(options.invertVertical ? -dyCounts : dyCounts) * options.verticalOrbitScale;
    CameraRef current = cameras_.GetCamera().CurrentCameraRef();
    if (current == nullptr || *current == nullptr) {
        return;
    }
    quill::Camera& camera = **current;
    if (input_.Flags().aimDragHeld) {
        ScopedLock hold(camera.GetLock());
        camera.Orbit(dx / 5.0f * kDegrees, dy / 5.0f * kDegrees, false);
        if (shotRunning_ && !options.cameraFlagA && !options.cameraFlagB) {
            camera.SetTarget(camera.Target() * 0.995f);
        }
    } else if (input_.Flags().zoomKeyHeld || input_.Flags().overviewKeyHeld) {
        const float pitch = input_.Flags().overviewKeyHeld ? dy / 20.0f : dy / 100.0f;
        {
            ScopedLock hold(camera.GetLock());
            camera.Orbit(dx / 100.0f * kDegrees, pitch * kDegrees, false);
        }
        if (quill::Camera* aiming = cameras_.GetCamera().GetCamera(CameraController::kAimingMode);
            aiming != nullptr && aiming != &camera) {
            ScopedLock hold(aiming->GetLock());
            aiming->Orbit(dx / 100.0f * kDegrees, 0.0f, false);
        }
    }
    if (aim_.InBreakLimits() && turn_.IsControlEnabled()) {
        KeepBreakYaw(current);
        if (input_.Flags().zoomKeyHeld) {
            KeepBreakYaw(cameras_.GetCamera().CameraRefOf(CameraController::kAimingMode));
        }
    }
}


void GameTable::ZoomCamera(int32_t step) {
    CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    if (camera == nullptr || *camera == nullptr) {
        return;
    }
    quill::Camera& current = **camera;
    ScopedLock hold(current.GetLock());
    current.SetDistance((current.Eye() - current.Target()).Length() - static_cast<float>(step));
}





}  // namespace kestrovan
