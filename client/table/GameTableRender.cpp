// The render step of the game table: what the main thread does once per drawn frame before the table's draw
// passes. It takes the balls and the cue-ball index for drawing under the table lock, switches the cue model
// (loading it the first time it is shown), applies the camera and cue events the input and the update posted, and with
// drawing lets the camera follow the cue ball, places the balls and hands the models to the static batches.
// Cameras change here under their own locks; the aim (the cue offsets and elevation) under the table lock,
// which the update and the input hold as well.
#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/render/StaticBatcher.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/TableEvents.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr float kDegrees = 3.1415927f / 180.0f;
constexpr float kTipLimit = 0.7f;
constexpr float kBreakTipLimit = 0.4f;
constexpr float kTipStep = 0.004f;
constexpr float kLowestElevation = 2.6f;
constexpr float kHighestElevation = 88.4f;
constexpr float kBreakElevation = 15.0f;
constexpr float kBreakYawLow = 147.0f;
constexpr float kBreakYawHigh = 152.0f;
constexpr float kBallLift = 0.2f;

// The drawing scale of a ball-size class; 1 for a class outside 0 to 6.
float BallScale(uint32_t sizeClass) {
    static constexpr float kScales[7] = {1.007f, 0.946f, 0.88f, 1.007f, 0.946f, 0.88f, 0.808f};
    return sizeClass < 7 ? kScales[sizeClass] : 1.0f;
}

// The offset moved by one event: slower toward the edge when it moves the way it already leans.
float StepTipOffset(float offset, float movement) {
    const bool outward = (movement > 0.0f && offset > 0.0f) || (movement < 0.0f && offset < 0.0f);
    const float step = outward ? (kTipLimit - std::fabs(offset)) * kTipStep : kTipStep;
    return offset + step * movement;
}

}  // namespace

void GameTable::Render3D(bool draw) {
    TakeRenderSnapshot();
    if ((picking_.HeldBall() >= 0 && static_cast<uint32_t>(picking_.HeldBall()) != snapshot_.CueBall()) ||
        pensAndMarks_.PenMode()) {
        cameras_.UpdateUnprojection();
    }
    SwitchCueModel();
    DrainTableEvents();
    if (!draw) {
        return;
    }
    if (ambient_.TakeRebuildRequest()) {
        RebuildAmbientEffect(true);
    }
    PitchToElevation();
    FollowCueBall();
    PlaceBallModels();
    picking_.ProjectBalls();
    picking_.SortBallScreenInfo();
    bool cameraChanged = false;
    if (quill::Camera* camera = cameras_.GetCamera().CurrentCamera(); camera != nullptr) {
        ScopedLock hold(camera->GetLock());
        cameraChanged = camera->dirty != 0;
    }
    if (cameraChanged || shotRunning_) {
        UpdateCueModel();
    }
    PrepareModelsForView();
    UploadStaticModels();
}

void GameTable::TakeRenderSnapshot() {
    ScopedLock hold(tableLock_);
    snapshot_.Take(physics_);
}

// The cue of the player whose turn it is becomes the shown cue; its model is built the first time it is shown.
// Locks in the table's order: the cue-model list, the entry, the model lock.
void GameTable::SwitchCueModel() {
    ScopedLock holdList(cueModels_.GetLock());
    CueModelEntry* cue = nullptr;
    bool switching = false;
    {
        ScopedLock hold(modelLock_);
        cue = currentCue_;
        switching = cue == nullptr || cueDirty_;
        cueDirty_ = false;
    }
    if (switching) {
        TableModelNode* model = nullptr;
        if (cue != nullptr) {
            ScopedLock holdEntry(cue->GetLock());
            if (cue->Model() == nullptr) {
                models_.LoadCueModel(*cue);
            }
            model = cue->Model();
        }
        ScopedLock hold(modelLock_);
        if (currentCue_ == cue) {
            shownModels_[kCueModel] = model;
        }
    }
    ScopedLock hold(modelLock_);
    if (TableModelNode* shown = shownModels_[kCueModel]; shown != nullptr) {
        shown->SetVisible(visible_);
    }
}

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
            MoveTipOffset(a, b);
            break;
        case TableEventId::ChangeElevation:
            ChangeElevation(b);
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
    if (InBreakLimits() && controlEnabled_) {
        KeepBreakYaw(current);
        if (input_.Flags().zoomKeyHeld) {
            KeepBreakYaw(cameras_.GetCamera().CameraRefOf(CameraController::kAimingMode));
        }
    }
}

// The three-cushion break keeps the view along the table's length.
void GameTable::KeepBreakYaw(CameraRef camera) {
    if (camera == nullptr || *camera == nullptr) {
        return;
    }
    const float yaw = LockedGetYawDegrees(camera);
    if (yaw < kBreakYawLow || yaw > kBreakYawHigh) {
        LockedSetYawDegrees(camera, std::clamp(yaw, kBreakYawLow, kBreakYawHigh));
    }
}

bool GameTable::InBreakLimits() const {
    return (gameMode_ == type::kThreeCushion || gameMode_ == type::kThreeCushionGamble) && sideOption_ == 0 &&
           state_ == 7;
}

void GameTable::ZoomCamera(int32_t step) {
    if (step > 0) {
        pushedForward_ = true;
    }
    CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    if (camera == nullptr || *camera == nullptr) {
        return;
    }
    quill::Camera& current = **camera;
    ScopedLock hold(current.GetLock());
    current.SetDistance((current.Eye() - current.Target()).Length() - static_cast<float>(step));
}

void GameTable::MoveTipOffset(int32_t dxCounts, int32_t dyCounts) {
    const float dx = static_cast<float>(dxCounts) * cameras_.Options().horizontalOrbitScale;
    const float dy = static_cast<float>(dyCounts) * cameras_.Options().verticalOrbitScale;
    {
        ScopedLock hold(tableLock_);
        float x = StepTipOffset(cameraState_.tipOffsetX, dx);
        float y = StepTipOffset(cameraState_.tipOffsetY, dy);
        float limit = kTipLimit;
        if (InBreakLimits()) {
            y = std::max(y, 0.0f);
            limit = kBreakTipLimit;
        }
        const float length = std::sqrt(x * x + y * y);
        if (length > limit) {
            x = x * limit / length;
            y = y * limit / length;
        }
        cameraState_.tipOffsetX = x;
        cameraState_.tipOffsetY = y;
    }
    UpdateCueModel();
}

void GameTable::ChangeElevation(int32_t dy) {
    {
        ScopedLock hold(tableLock_);
        float highest = elevationLimitDefault_ || elevationLimit_ > kHighestElevation ? kHighestElevation
                                                                                      : elevationLimit_;
        if (InBreakLimits()) {
            highest = std::min(highest, kBreakElevation);
        }
        const float raised =
            cameraState_.elevationCopy - static_cast<float>(dy) * cameras_.Options().verticalOrbitScale / 8.0f;
        cameraState_.elevationCopy = std::max(std::min(raised, highest), kLowestElevation);
    }
    UpdateCueModel();
}

void GameTable::SetElevationLimit(float degrees, bool useDefault) {
    ScopedLock hold(tableLock_);
    elevationLimit_ = degrees;
    elevationLimitDefault_ = useDefault;
}

// Looking along the cue, the view keeps just above the cue's elevation.
void GameTable::PitchToElevation() {
    if (cameras_.IsCameraBusy()) {
        return;
    }
    float offset = 0.0f;
    if (input_.Flags().cueViewKeyHeld || input_.Flags().tipDragHeld) {
        offset = 1.5f;
    } else if (input_.Flags().zoomKeyHeld && input_.Flags().mouseAimHeld) {
        offset = 1.3f;
    } else {
        return;
    }
    float elevation = 0.0f;
    {
        ScopedLock hold(tableLock_);
        elevation = cameraState_.elevation;
    }
    CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    if (camera != nullptr && *camera != nullptr) {
        ScopedLock hold((*camera)->GetLock());
        (*camera)->SetPitch((elevation + offset) * kDegrees, false);
    }
}

// While a shot runs the camera may follow the cue ball; while it does, the aim drag may turn it even during a
// camera move.
void GameTable::FollowCueBall() {
    dragOverride_ = false;
    const Vec3 cue = snapshot_.Position(snapshot_.CueBall() % kMaxBalls);
    if (cameras_.GetCamera().Mode() == CameraController::kTopViewMode || !shotRunning_ ||
        snapshot_.CueBall() >= snapshot_.BallCount()) {
        return;
    }
    {
        ScopedLock hold(physics_.GetLock());
        const PhysicsModel* model = physics_.Model();
        if (model == nullptr || !model->Ball(static_cast<uint16_t>(snapshot_.CueBall())).IsInsideBounds(0.0f)) {
            return;
        }
    }
    CameraRef camera = cameras_.GetCamera().CurrentCameraRef();
    if (camera == nullptr || *camera == nullptr) {
        return;
    }
    if (!cameras_.Options().cameraForced && cameras_.Options().cameraFlagB) {
        dragOverride_ = true;
        if (!cameras_.Options().cameraFlagA) {
            ScopedLock hold((*camera)->GetLock());
            (*camera)->SetTargetKeepRange(cue);
        } else {
            LockedMoveTargetTo(camera, cue);
        }
    } else if (cameras_.Options().cameraForced) {
        dragOverride_ = true;
        quill::Camera& current = **camera;
        ScopedLock hold(current.GetLock());
        current.SetScreenRect(20.0f, 1.012291f, 40.0f, 1.012291f);
        current.SetMinDistance(1.0f);
        current.SetEye((previousCueBall_ + current.Eye()) * 0.5f);
        current.SetPitch(0.069813f, false);
        current.SetDistance(30.0f);
        current.SetTarget(cue);
        previousCueBall_ = cue;
    }
}

void GameTable::PlaceBallModels() {
    const float scale = BallScale(models_.BallSizeClass());
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        quill::Transform& placement = models_.BallTransform(i);
        placement = quill::Transform{};
        placement.position = snapshot_.Position(i) + Vec3{0.0f, 0.0f, kBallLift};
        placement.rotation = snapshot_.Rotation(i);
        placement.scale = {scale, scale, scale};
        placement.UpdateMatrix();
        if (models_.BallModel(i) != nullptr) {
            models_.BallModel(i)->SetTransform(placement);
        }
    }
}

void GameTable::PrepareModelsForView() {
    quill::Camera* camera = cameras_.GetCamera().CurrentCamera();
    if (camera == nullptr) {
        return;
    }
    ScopedLock hold(camera->GetLock());
    ScopedLock holdModels(modelLock_);
    if (TableModelNode* cue = shownModels_[kCueModel]; cue != nullptr) {
        cue->PrepareForView(*camera);
    }
}

void GameTable::UploadStaticModels() {
    quill::StaticBatcher* batcher = models_.Batcher();
    bool reallocated = false;
    if (batcher == nullptr || !batcher->PrepareBuffers(reallocated)) {
        return;
    }
    models_.Environment().UploadStatic();
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        if (models_.BallModel(i) != nullptr) {
            models_.BallModel(i)->UploadStatic();
        }
    }
    for (TableModelNode* model : {models_.ShadowModel(), models_.AimMarkerModel(), models_.TargetMarkerModel(),
                                  models_.PocketMarkerModel(), pensAndMarks_.MarkModel(), ambient_.Model()}) {
        if (model != nullptr) {
            model->UploadStatic();
        }
    }
    ScopedLock holdList(cueModels_.GetLock());
    ScopedLock hold(modelLock_);
    if (currentCue_ != nullptr && currentCue_->Model() != nullptr) {
        currentCue_->Model()->UploadStatic();
    }
}

}  // namespace kestrovan
