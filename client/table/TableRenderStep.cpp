// The table's render step and draw passes on the main thread. The render step, once per drawn frame, takes the
// balls for drawing, switches the cue model (loading it the first time it is shown), has the
// table apply the camera and cue events the input and the update posted, and with drawing lets the camera follow
// the cue ball, places the balls and hands the models to the static batches. The draw passes follow the screen's
// 3D scene: the overlay (the table environment, the cue and the pocketed-ball strip) and the scene (shadows,
// balls, lines, markers, effects and marks), from the render step's copies.
#include "client/table/TableRenderStep.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/render/StaticBatcher.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/table/CameraController.h"
#include "client/table/DeviceLineDrawer.h"
#include "client/table/GameTable.h"
#include "client/table/LockedCamera.h"
#include "client/table/PlacementArea.h"
#include "client/table/TableAim.h"
#include "client/table/TableAmbient.h"
#include "client/table/TableBallPicking.h"
#include "client/table/TableCameraEvents.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableChalkBursts.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TablePensAndMarks.h"
#include "client/table/TableTrails.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {
namespace {

namespace type = quill::game_type;
using quill::ScopedLock;
using quill::Vec3;

constexpr float kBallLift = 0.2f;
constexpr float kBedOffset = -0.01f;
constexpr float kShadowHeightOffBed = 0.1f;
constexpr float kPocketMarkerHeight = -5.0f;
constexpr float kSkippedBallAlpha = 0.5f;

// The drawing scale of a ball-size class; 1 for a class outside 0 to 6.
float BallScale(uint32_t sizeClass) {
    static constexpr float kScales[7] = {1.007f, 0.946f, 0.88f, 1.007f, 0.946f, 0.88f, 0.808f};
    return sizeClass < 7 ? kScales[sizeClass] : 1.0f;
}

bool IsPocketGame(quill::GameType mode) {
    return mode >= type::kEightBall;
}

}  // namespace

void TableRenderStep::Render3D(bool draw) {
    TakeRenderSnapshot();
    if ((table_.Picking().HeldBall() >= 0 && static_cast<uint32_t>(table_.Picking().HeldBall()) != snapshot_.CueBall()) ||
        table_.PensAndMarks().PenMode()) {
        table_.Cameras().UpdateUnprojection();
    }
    SwitchCueModel();
    table_.CameraEvents().DrainTableEvents();
    if (!draw) {
        return;
    }
    if (table_.Ambient().TakeRebuildRequest()) {
        table_.Models().RebuildAmbientEffect(true);
    }
    table_.Aim().PitchToElevation();
    FollowCueBall();
    PlaceBallModels();
    table_.Picking().ProjectBalls();
    table_.Picking().SortBallScreenInfo();
    bool cameraChanged = false;
    if (quill::Camera* camera = table_.Cameras().GetCamera().CurrentCamera(); camera != nullptr) {
        ScopedLock hold(camera->GetLock());
        cameraChanged = camera->dirty != 0;
    }
    if (cameraChanged || table_.IsShotRunning()) {
        table_.Aim().UpdateCueModel();
    }
    PrepareModelsForView();
    UploadStaticModels();
}

void TableRenderStep::TakeRenderSnapshot() {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::TakeRenderSnapshot");
    snapshot_.Take(table_.Physics());
}

// The cue of the player whose turn it is becomes the shown cue; its model is built the first time it is shown.
void TableRenderStep::SwitchCueModel() {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::SwitchCueModel");
    CueModelEntry* cue = nullptr;
    bool switching = false;
    cue = currentCue_;
    switching = cue == nullptr || cueDirty_;
    cueDirty_ = false;
    if (switching) {
        TableModelNode* model = nullptr;
        if (cue != nullptr) {
            if (cue->Model() == nullptr) {
                table_.Models().LoadCueModel(*cue);
            }
            model = cue->Model();
        }
        if (currentCue_ == cue) {
            shownModels_[kCueModel] = model;
        }
    }
    if (TableModelNode* shown = shownModels_[kCueModel]; shown != nullptr) {
        shown->SetVisible(visible_);
    }
}

// While a shot runs the camera may follow the cue ball; while it does, the aim drag may turn it even during a
// camera move.
void TableRenderStep::FollowCueBall() {
    dragOverride_ = false;
    const Vec3 cue = snapshot_.Position(snapshot_.CueBall() % quill::kMaxBalls);
    if (table_.Cameras().GetCamera().Mode() == CameraController::kTopViewMode || !table_.IsShotRunning() ||
        snapshot_.CueBall() >= snapshot_.BallCount()) {
        return;
    }
    {
        ScopedLock hold(table_.Physics().GetLock());
        const PhysicsModel* model = table_.Physics().Model();
        if (model == nullptr || !model->Ball(static_cast<uint16_t>(snapshot_.CueBall())).IsInsideBounds(0.0f)) {
            return;
        }
    }
    CameraRef camera = table_.Cameras().GetCamera().CurrentCameraRef();
    if (camera == nullptr || *camera == nullptr) {
        return;
    }
    if (!table_.Cameras().Options().cameraForced && table_.Cameras().Options().cameraFlagB) {
        dragOverride_ = true;
        if (!table_.Cameras().Options().cameraFlagA) {
            ScopedLock hold((*camera)->GetLock());
            (*camera)->SetTargetKeepRange(cue);
        } else {
            LockedMoveTargetTo(camera, cue);
        }
    } else if (table_.Cameras().Options().cameraForced) {
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

void TableRenderStep::PlaceBallModels() {
    const float scale = BallScale(table_.Models().BallSizeClass());
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        quill::Transform& placement = table_.Models().BallTransform(i);
        placement = quill::Transform{};
        placement.position = snapshot_.Position(i) + Vec3{0.0f, 0.0f, kBallLift};
        placement.rotation = snapshot_.Rotation(i);
        placement.scale = {scale, scale, scale};
        placement.UpdateMatrix();
        if (table_.Models().BallModel(i) != nullptr) {
            table_.Models().BallModel(i)->SetTransform(placement);
        }
    }
}

void TableRenderStep::PrepareModelsForView() {
    quill::Camera* camera = table_.Cameras().GetCamera().CurrentCamera();
    if (camera == nullptr) {
        return;
    }
    ScopedLock hold(camera->GetLock());
    WidgetToolkit::CheckTreeAccess("TableRenderStep::PrepareModelsForView");
    if (TableModelNode* cue = shownModels_[kCueModel]; cue != nullptr) {
        cue->PrepareForView(*camera);
    }
}

void TableRenderStep::UploadStaticModels() {
    quill::StaticBatcher* batcher = table_.Models().Batcher();
    bool reallocated = false;
    if (batcher == nullptr || !batcher->PrepareBuffers(reallocated)) {
        return;
    }
    table_.Models().Environment().UploadStatic();
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        if (table_.Models().BallModel(i) != nullptr) {
            table_.Models().BallModel(i)->UploadStatic();
        }
    }
    for (TableModelNode* model : {table_.Models().ShadowModel(), table_.Models().AimMarkerModel(), table_.Models().TargetMarkerModel(),
                                  table_.Models().PocketMarkerModel(), table_.PensAndMarks().MarkModel(), table_.Ambient().Model()}) {
        if (model != nullptr) {
            model->UploadStatic();
        }
    }
    WidgetToolkit::CheckTreeAccess("TableRenderStep::UploadStaticModels");
    if (currentCue_ != nullptr && currentCue_->Model() != nullptr) {
        currentCue_->Model()->UploadStatic();
    }
}

int32_t TableRenderStep::RenderOverlay(D3D9RenderDevice& device) {
    table_.Aim().UpdateCueModel();
    device.SetAlphaMode(0);
    table_.Models().Environment().Draw(device);
    if (visible_ && !CueDrawnWithBalls()) {
        DrawCue(device);
    }
    if (IsPocketGame(table_.Equipment().GameMode()) && table_.Equipment().GameMode() != type::kSnooker) {
        table_.HudValues().Hud().ShowPocketedBalls(snapshot_.Flags());
    }
    return 0;
}

void TableRenderStep::DrawScene(D3D9RenderDevice& device, int32_t /*passFlag*/) {
    device.SetAlphaMode(0);
    device.SetZWriteEnable(false);
    device.UpdateProjection(kBedOffset);
    DrawShadows(device);
    device.SetZWriteEnable(true);
    device.UpdateProjection(0.0f);
    DrawBalls(device, false, 1.0f);
    DrawLines(device);
    DrawMarkers(device);
    DrawEffects(device);
    if (visible_ && CueDrawnWithBalls()) {
        DrawCue(device);
    }
    DrawBalls(device, true, kSkippedBallAlpha);
    DrawPocketMarkers(device);
    table_.PensAndMarks().DrawMarks(device);
}

// The views that look along the cue draw it after the balls, so that it shows in front of them.
bool TableRenderStep::CueDrawnWithBalls() const {
    return table_.Input().Flags().zoomKeyHeld || table_.Models().CueHidden() || (table_.Input().Flags().cueViewKeyHeld && table_.Input().Flags().mouseAimHeld);
}

void TableRenderStep::DrawCue(D3D9RenderDevice& device) {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::DrawCue");
    if (TableModelNode* cue = shownModels_[kCueModel]; cue != nullptr) {
        cue->AdvanceAnimation(1.0f);
        cue->Draw(device, 1.0f);
    }
}

bool TableRenderStep::BallOnTable(uint32_t ball) const {
    return ball < snapshot_.BallCount() && snapshot_.Flag(ball) == 0;
}

// Flat discs under the balls: on the bed while a ball is over it, larger and fainter the higher it flies.
void TableRenderStep::DrawShadows(D3D9RenderDevice& device) {
    if (table_.Models().ShadowModel() == nullptr) {
        return;
    }
    const float radius = table_.Physics().BallRadius();
    const PlacementBounds bed = table_.Picking().Bounds();
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        const auto ball = static_cast<uint32_t>(table_.Picking().ScreenInfoAt(i).index);
        if (!BallOnTable(ball)) {
            continue;
        }
        const Vec3& p = snapshot_.Position(ball);
        const float height = p.z - radius;
        float scale = 1.0f;
        float alpha = 1.0f;
        if (height > 0.0f) {
            scale = height / 50.0f + 0.9f;
            alpha = std::max(1.0f - height, 0.2f);
        }
        const bool overBed = std::fabs(p.x) <= bed.halfLength && std::fabs(p.y) <= bed.halfWidth;
        if (!overBed && height < radius * 0.5f) {
            continue;
        }
        quill::Transform placement;
        placement.position = {p.x, p.y, overBed ? 0.0f : kShadowHeightOffBed};
        placement.scale = {scale, scale, 1.0f};
        table_.Models().ShadowModel()->SetTransform(placement);
        table_.Models().ShadowModel()->Draw(device, alpha);
    }
}

// A ball close to the eye of the zoom view would hide the cue ball: it is drawn faint after the rest.
bool TableRenderStep::IsInZoomSight(uint32_t ball) const {
    const quill::Camera* camera = table_.Cameras().GetCamera().CurrentCamera();
    if (!table_.Input().Flags().zoomKeyHeld || camera == nullptr) {
        return false;
    }
    Vec3 eye;
    float near = 0.0f;
    {
        ScopedLock hold(camera->GetLock());
        eye = camera->Eye();
        near = camera->GetProjection().nearDistance;
    }
    const Vec3& p = snapshot_.Position(ball);
    const float dx = p.x - eye.x;
    const float dy = p.y - eye.y;
    const float reach = table_.Physics().BallRadius() + near;
    return dx * dx + dy * dy < reach * reach;
}

void TableRenderStep::DrawBalls(D3D9RenderDevice& device, bool skipped, float alpha) {
    for (uint32_t i = 0; i < snapshot_.BallCount(); ++i) {
        const auto ball = static_cast<uint32_t>(table_.Picking().ScreenInfoAt(i).index);
        if (ball >= snapshot_.BallCount() || table_.Models().BallModel(ball) == nullptr || IsInZoomSight(ball) != skipped) {
            continue;
        }
        table_.Models().BallModel(ball)->Draw(device, alpha);
    }
}

void TableRenderStep::DrawLines(D3D9RenderDevice& device) {
    DeviceLineDrawer drawer(device);
    if (table_.Input().Flags().overviewKeyHeld && table_.Turn().AimFollowsCamera() && table_.Turn().IsControlEnabled()) {
        table_.Trails().GuideLine(0).Draw(drawer);
    }
    table_.Trails().DrawTrails(drawer);
    table_.PensAndMarks().DrawPenStrokes(drawer);
    if (table_.Equipment().GameMode() == type::kSnooker) {
        device.SetZWriteEnable(false);
        device.UpdateProjection(kBedOffset);
        table_.Trails().GuideLine(1).Draw(drawer);
        device.SetZWriteEnable(true);
        device.UpdateProjection(0.0f);
    }
}

// A shot may be aimed while the table waits for one (states 3 to 5) or between the turns of a game (state 7).
bool TableRenderStep::ShotMayBeAimed() const {
    return (table_.State() >= 3 && table_.State() <= 5) || table_.State() == 7;
}

void TableRenderStep::DrawMarkers(D3D9RenderDevice& device) {
    if (!visible_) {
        return;
    }
    device.EnableLights(false, true, true);
    TableModelNode* aim = shownModels_[kAimMarker];
    if (aim != nullptr && ShotMayBeAimed() && table_.Turn().IsControlEnabled() && table_.Models().AimMarkerShown()) {
        aim->Draw(device, 1.0f);
    }
    if (TableModelNode* target = shownModels_[kTargetMarker]; target != nullptr && table_.Models().TargetMarkerShown()) {
        target->Draw(device, 1.0f);
    }
    device.EnableLights(true, true, true);
}

void TableRenderStep::DrawEffects(D3D9RenderDevice& device) {
    if (const quill::Camera* camera = table_.Cameras().GetCamera().CurrentCamera(); camera != nullptr) {
        table_.ChalkBursts().Draw(device, *camera);
    }
    table_.Ambient().Draw(device);
}

// In pocket games with a called pocket: a marker in each pocket, the called one bright.
void TableRenderStep::DrawPocketMarkers(D3D9RenderDevice& device) {
    if (!IsPocketGame(table_.Equipment().GameMode()) ||
        (!table_.Aim().TargetMode() && table_.Aim().TargetBall() == -1) ||
        table_.Models().PocketMarkerModel() == nullptr) {
        return;
    }
    for (int32_t pocket = 0; pocket < 6; ++pocket) {
        float alpha = pocket + 1 == table_.Aim().TargetBall() ? 1.0f : (table_.IsShotRunning() ? 0.0f : 0.35f);
        if (!(alpha > 0.0f)) {
            continue;
        }
        quill::Transform placement;
        placement.position = {table_.Picking().PocketPositions()[pocket][0], table_.Picking().PocketPositions()[pocket][1],
                              kPocketMarkerHeight};
        table_.Models().PocketMarkerModel()->SetTransform(placement);
        table_.Models().PocketMarkerModel()->Draw(device, alpha);
    }
}

void TableRenderStep::SetVisible(bool visible) {
    visible_ = visible;
    ShowShownModels(visible);
}

void TableRenderStep::ShowShownModels(bool visible) {
    for (TableModelNode* model : shownModels_) {
        if (model != nullptr) {
            model->SetVisible(visible);
        }
    }
}

CueModelEntry* TableRenderStep::SetCurrentCue(CueModelEntry* cue) {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::SetCurrentCue");
    if (cue != currentCue_) {
        cueDirty_ = true;
    }
    currentCue_ = cue;
    return currentCue_;
}

void TableRenderStep::ForgetCueModel(CueModelEntry& entry, bool entryGoes) {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::ForgetCueModel");
    if (entryGoes && currentCue_ == &entry) {
        currentCue_ = nullptr;
    }
    if (shownModels_[kCueModel] != nullptr && shownModels_[kCueModel] == entry.Model()) {
        shownModels_[kCueModel] = nullptr;
    }
}

TableRenderStep::CueIdentity TableRenderStep::CurrentCueIdentity() const {
    CueIdentity identity;
    identity.parts.fill(CueModelEntry::kStockShaft);
    if (currentCue_ != nullptr) {
        identity.present = true;
        identity.itemId = currentCue_->ItemId();
        if (currentCue_->IsCustom()) {
            identity.parts = currentCue_->Parts();
        }
    }
    return identity;
}

void TableRenderStep::ShowCue() {
    if (shownModels_[kCueModel] != nullptr) {
        shownModels_[kCueModel]->SetVisible(true);
    }
}

void TableRenderStep::HideMarkers() {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::HideMarkers");
    for (ShownModel marker : {kAimMarker, kTargetMarker}) {
        if (shownModels_[marker] != nullptr) {
            shownModels_[marker]->SetVisible(false);
        }
    }
}

void TableRenderStep::SetMarkers(TableModelNode* aim, TableModelNode* target) {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::SetMarkers");
    shownModels_[kAimMarker] = aim;
    shownModels_[kTargetMarker] = target;
}

void TableRenderStep::SetCueTransform(const quill::Transform& placement) {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::SetCueTransform");
    if (shownModels_[kCueModel] != nullptr) {
        shownModels_[kCueModel]->SetTransform(placement);
    }
}

void TableRenderStep::PoseShownModels(const quill::Transform& cue, bool cueVisible, const Vec3& aimPoint) {
    WidgetToolkit::CheckTreeAccess("TableRenderStep::PoseShownModels");
    if (TableModelNode* model = shownModels_[kCueModel]; model != nullptr) {
        model->SetTransform(cue);
        model->SetVisible(cueVisible);
    }
    if (TableModelNode* marker = shownModels_[kAimMarker]; marker != nullptr) {
        quill::Transform placement;
        placement.FromPosition(aimPoint);
        marker->SetTransform(placement);
    }
}

}  // namespace kestrovan
