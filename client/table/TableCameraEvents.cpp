#include "client/table/TableCameraEvents.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/math/MathConstants.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEvents.h"
#include "client/table/TableInput.h"
#include "client/table/TableTurn.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

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

TableCameraEvents::TableCameraEvents(const int32_t& state, const bool& shotRunning, TableCameraRig& cameras,
                                     TableAim& aim, const TableInput& input, const TableTurn& turn)
    : state_(state), shotRunning_(shotRunning), cameras_(cameras), aim_(aim), input_(input), turn_(turn) {}

void TableCameraEvents::DrainTableEvents() {
    while (quill::AppEvent* event = eventQueue_.Pop()) {
        HandleTableEvent(event->id, static_cast<int32_t>(event->wParam), static_cast<int32_t>(event->lParam));
        eventQueue_.Release(event);
    }
}

void TableCameraEvents::HandleTableEvent(uint32_t id, int32_t a, int32_t b) {
    CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    switch (id) {
        case TableEventId::OrbitCamera:
            OrbitCamera(a, b);
            break;
        case TableEventId::PitchCamera:
            if (camera != nullptr && *camera != nullptr) {
                ScopedLock hold((*camera)->GetLock());
                (*camera)->Orbit(0.0f, static_cast<float>(b) / 5.0f * quill::kRadiansPerDegree, false);
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

void TableCameraEvents::OrbitCamera(int32_t dxCounts, int32_t dyCounts) {
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
        camera.Orbit(dx / 5.0f * quill::kRadiansPerDegree, dy / 5.0f * quill::kRadiansPerDegree, false);
        if (shotRunning_ && !options.cameraFlagA && !options.cameraFlagB) {
            camera.SetTarget(camera.Target() * 0.995f);
        }
    } else if (input_.Flags().zoomKeyHeld || input_.Flags().overviewKeyHeld) {
        const float pitch = input_.Flags().overviewKeyHeld ? dy / 20.0f : dy / 100.0f;
        {
            ScopedLock hold(camera.GetLock());
            camera.Orbit(dx / 100.0f * quill::kRadiansPerDegree, pitch * quill::kRadiansPerDegree, false);
        }
        if (quill::Camera* aiming = cameras_.GetCamera().GetCamera(CameraController::kAimingMode);
            aiming != nullptr && aiming != &camera) {
            ScopedLock hold(aiming->GetLock());
            aiming->Orbit(dx / 100.0f * quill::kRadiansPerDegree, 0.0f, false);
        }
    }
    if (aim_.InBreakLimits() && turn_.IsControlEnabled()) {
        KeepBreakYaw(current);
        if (input_.Flags().zoomKeyHeld) {
            KeepBreakYaw(cameras_.GetCamera().CameraRefOf(CameraController::kAimingMode));
        }
    }
}

void TableCameraEvents::ZoomCamera(int32_t step) {
    CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    if (camera == nullptr || *camera == nullptr) {
        return;
    }
    quill::Camera& current = **camera;
    ScopedLock hold(current.GetLock());
    current.SetDistance((current.Eye() - current.Target()).Length() - static_cast<float>(step));
}

}  // namespace kestrovan
