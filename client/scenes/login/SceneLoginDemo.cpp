// The login screen's demo table and credits: built-in shots replayed one after another under a slowly
// orbiting camera, and the credits fading in and out at the top left.
#include <algorithm>

#include "QuillLib/core/Random.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/math/MathConstants.h"
#include "client/app/FrameClock.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/OfflineDefaults.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/LockedCamera.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/TextLabel.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

constexpr uint32_t kDemoTableSeed = 1234;
constexpr uint16_t kDemoTableItem = 1000;
constexpr uint16_t kDemoBallSetItem = 2000;
constexpr float kOrbitDegreesPerRate = 0.2f;
constexpr int32_t kPitchMoveSteps = 600;
// The demo's camera turns all the time, so that every frame is drawn whole: 30 frames a second keep the
// turn smooth at half the rasteriser's work of the display's 60. The room scene's animation advances by one
// of them each drawn frame.
constexpr int32_t kDemoDrawingRate = 30;
constexpr float kSceneStepSeconds = 1.0f / static_cast<float>(kDemoDrawingRate);

}  // namespace

bool SceneLogin::CreateDemoTable(quill::ResourceManager& resources, D3D9RenderDevice& device) {
    GameTable& table =
        stage_.CreateTable({0, kDemoTableItem, kDemoBallSetItem, kDefaultPhysicsModelCode, 1});
    table.SetState(0);
    OnSettingsChanged(app_.GetSettings());
    return stage_.Load(resources, device, u"Map0000", 0, 0);
}

// Main thread, in the frame step's switch: the table's models go before the scene they stand in.
void SceneLogin::ReleaseDemoTable() {
    PaceDemo(false);
    quill::Engine* engine = app_.GetEngine();
    stage_.Release(engine != nullptr ? engine->GetRenderSceneManager() : nullptr);
}

// Main thread (activation and leaving), which owns the frame clock's drawing channel.
void SceneLogin::PaceDemo(bool shown) {
    FrameClock& clock = app_.Clock();
    if (shown && displayRate_ == 0) {
        displayRate_ = clock.GetRenderRate();
        clock.SetRenderRate(std::min(displayRate_, kDemoDrawingRate));
    } else if (!shown && displayRate_ != 0) {
        clock.SetRenderRate(displayRate_);
        displayRate_ = 0;
    }
}

void SceneLogin::ResetDemo() {
    PaceDemo(true);
    demo_.Reset();
    shotPending_ = false;
    shotNickname_ = u" ";
    if (GameTable* table = stage_.Table()) {
        table->Reset(kDemoTableSeed);
        table->Cameras().SetCameraFlags(false, true, false, false);
        table->SetState(0);
        table->RenderStep().SetVisible(true);
        table->HudValues().ForScreens().demoHold = true;
        table->HudValues().ForScreens().demoSecond = false;
        SetUpDemoCamera();
        LoadNextDemoShot();
        table->Cameras().FocusCameraOnCueBall();
    }
    credits_.Reset();
    roleLabel_->SetAlpha(0.0f);
    nameLabel_->SetAlpha(0.0f);
    ShowCredit();
}

// The camera of the current mode frames the table from close by, low and from the side.
void SceneLogin::SetUpDemoCamera() {
    quill::Camera* const* slot = stage_.Table()->Cameras().GetCurrentCameraRef();
    if (slot == nullptr || *slot == nullptr)
        return;
    quill::Camera& camera = **slot;
    quill::ScopedLock hold(camera.GetLock());
    quill::Camera::Projection projection = camera.GetProjection();
    projection.shiftX = -0.15f;
    projection.shiftY = -0.2f;
    camera.SetProjection(projection);
    camera.SetScreenRect(50.0f, quill::DegreesToRadians(35.0f), 1000.0f, quill::DegreesToRadians(35.0f));
    camera.SetDistance(160.0f);
    camera.SetYaw(quill::DegreesToRadians(140.0f));
    camera.SetPitch(quill::DegreesToRadians(4.0f), false);
}

// Takes the next slot's shot into the record that Render applies to the table; a stock cue of the first
// three is shown as the first.
void SceneLogin::LoadNextDemoShot() {
    const DemoShotSlot& slot = demo_.LoadNext();
    ShotData shot;
    ShotRecord::ParseHex(slot.shot, shot);
    uint16_t cueId = shot.cueItemId;
    if (cueId == 3001 || cueId == 3002)
        cueId = kStockCue;
    CueModelEntry::PartIds parts = TableSceneStage::kStockParts;
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(cueId);
    if (model != nullptr && model->kind == ItemModelKind::kCue && model->custom != 0)
        parts = shot.cuePartIds;
    stage_.EquipCue(cueId, parts);
    shot_ = shot;
    shotNickname_ = quill::WString(slot.nickname);
    stage_.RequestEquipment({shot.gameMode, shot.tableItemId, shot.ballSetItemId, shot.physicsModelCode, 0});
    shotPending_ = true;
}

// The frame (main thread). The game thread hands the shot over by the pending flag.
void SceneLogin::ApplyPendingShot() {
    GameTable* table = stage_.Table();
    if (table == nullptr || !shotPending_.exchange(false))
        return;
    WidgetToolkit::CheckTreeAccess("SceneLogin::ApplyPendingShot");
    if (const auto equipment = stage_.TakePendingEquipment())
        stage_.ApplyEquipment(*equipment);
    table->LoadShotRecord(shot_);
    table->SnapshotBalls();
    table->Cameras().MoveCameraBehindCueBall(220.0f, 1.0f, true, false);
    shotByLabel_->SetTextF(u"shot By - %s", shotNickname_);
}

// The render step and the room scene with the table's passes under the offline table's lamp; the widgets
// follow in 2D. The opaque letterbox bars cover the rest of the screen: the rasteriser shades the table's
// room only between them.
void SceneLogin::Render(D3D9RenderDevice* device, bool draw) {
    ApplyPendingShot();
    if (draw && demoBand_)
        device->SetScissorRect(&*demoBand_);
    stage_.Render(device, draw, kSceneStepSeconds, &TableSceneStage::kLampLighting);
    if (draw && demoBand_)
        device->SetScissorRect(nullptr);
    if (draw)
        DrawWidgets(device);
}

void SceneLogin::UpdateDemo(int64_t clockTenthMs) {
    GameTable* table = stage_.Table();
    if (table == nullptr)
        return;
    quill::Camera* const* slot = table->Cameras().GetCurrentCameraRef();
    if (slot != nullptr && *slot != nullptr) {
        quill::ScopedLock hold((*slot)->GetLock());
        (*slot)->OrbitDegrees(-(demo_.TurnRate() * kOrbitDegreesPerRate), 0.0f, false);
    }
    const DemoShotCycle::Step step = demo_.Advance();
    if (step.releaseHold)
        table->HudValues().ForScreens().demoHold = false;
    if (step.firstMove) {
        LockedSetDistance(slot, static_cast<float>(140 + app_.GetRandom().Next() % 50));
    }
    if (step.loadShot) {
        table->StopShot();
        LoadNextDemoShot();
        table->Rack().SetCueBall(0, true);
        table->RenderStep().SetVisible(true);
    }
    if (step.playShot)
        PlayDemoShot();
    table->Update(static_cast<uint32_t>(clockTenthMs), 0, 0, false);
    UpdateCredits();
}

// The loaded shot is played, and a camera looking too flat or too steep turns to 30 or 60 degrees.
void SceneLogin::PlayDemoShot() {
    GameTable* table = stage_.Table();
    table->HudValues().ForScreens().demoHold = true;
    table->StartShot(2, true);
    const float pitch = GetCameraPitchDegrees(table->Cameras().GetCurrentCameraRef());
    const float keep = CameraController::kKeep;
    if (pitch < 30.0f) {
        table->Cameras().GetCamera().SetTarget(keep, 30.0f, keep, keep);
        table->Cameras().GetCamera().StartMove(kPitchMoveSteps, 0);
    } else if (pitch > 60.0f) {
        table->Cameras().GetCamera().SetTarget(keep, 60.0f, keep, keep);
        table->Cameras().GetCamera().StartMove(kPitchMoveSteps, 0);
    }
}

// The credits move on every second update of the cycle.
void SceneLogin::UpdateCredits() {
    if (demo_.Counter() % 2 != 0 || credits_.IsOver())
        return;
    const CreditsRoll::Step step = credits_.Advance();
    if (step.nextEntry)
        ShowCredit();
    roleLabel_->SetAlpha(step.opacity);
    nameLabel_->SetAlpha(step.opacity);
}

void SceneLogin::ShowCredit() {
    if (credits_.IsOver())
        return;
    const auto index = static_cast<size_t>(credits_.Index());
    roleLabel_->SetTextF(u"%s", CreditsRoll::Roles()[index]);
    nameLabel_->SetTextF(u"%s", CreditsRoll::Names()[index]);
}

}  // namespace kestrovan
