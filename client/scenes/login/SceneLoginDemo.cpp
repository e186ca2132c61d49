// The login screen's demo table and credits: built-in shots replayed one after another under a slowly
// orbiting camera, and the credits fading in and out at the top left.
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "client/app/App.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/CurrentSceneView.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/AppTableHost.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/LockedCamera.h"
#include "client/table/RenderSceneCameras.h"
#include "client/table/ShotRecord.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr uint32_t kDemoTableSeed = 1234;
constexpr uint16_t kDemoTableItem = 1000;
constexpr uint16_t kDemoBallSetItem = 2000;
constexpr uint16_t kStockCue = 3000;
constexpr uint16_t kNoPart = 0xFFFF;
constexpr float kOrbitDegreesPerRate = 0.2f;
constexpr int32_t kPitchMoveSteps = 600;
// The room scene's animation advances by a frame of the 60 Hz display each drawn frame.
constexpr float kSceneStepSeconds = 1.0f / 60.0f;

// The table's flags that the demo sets: it holds the table still at the start of a cycle (the first), and
// the second is not used on this screen.
constexpr size_t kDemoHoldFlag = 0;
constexpr size_t kSecondFlag = 1;

}  // namespace

bool SceneLogin::CreateDemoTable(quill::ResourceManager& resources, D3D9RenderDevice& device) {
    quill::Package* data = resources.OpenPackage(u"data", false);
    quill::ResourceFile* map = data != nullptr ? data->GetResourceFile(u"Map0000", true) : nullptr;
    quill::Engine* engine = app_.GetEngine();
    quill::RenderSceneManager* scenes = engine != nullptr ? engine->GetRenderSceneManager() : nullptr;
    if (map == nullptr || scenes == nullptr)
        return false;
    renderScene_ = scenes->CreateScene(map->GetSceneInfoTable()->FindShared(0));
    if (renderScene_ == nullptr || !scenes->SelectScene(renderScene_->index))
        return false;
    cameras_ = std::make_unique<RenderSceneCameras>(*renderScene_);
    cameras_->SelectCamera(0);

    tableHost_ = std::make_unique<AppTableHost>(app_);
    table_ = std::make_unique<GameTable>();
    table_->SetHost(tableHost_.get());
    table_->SetState(0);
    table_->SetGameMode(0);
    table_->SetEquipmentItems(kDemoTableItem, kDemoBallSetItem);
    table_->SetupTable(kDefaultPhysicsModelCode, 1);
    table_->SetupCameras(*cameras_, 0);
    table_->GetCamera().SetScene(cameras_.get());
    // The room of the screen's scene stands around the table.
    table_->SetEnvironmentFlag(0);
    OnSettingsChanged(app_.GetSettings());
    return table_->LoadModels(resources, device, 0);
}

// Main thread, in the frame step's switch: the table's models go before the scene they stand in.
void SceneLogin::ReleaseDemoTable() {
    if (table_)
        table_->UnloadModels();
    table_.reset();
    tableHost_.reset();
    cameras_.reset();
    quill::Engine* engine = app_.GetEngine();
    quill::RenderSceneManager* scenes = engine != nullptr ? engine->GetRenderSceneManager() : nullptr;
    if (renderScene_ != nullptr && scenes != nullptr) {
        scenes->SelectNoScene();
        scenes->RemoveScene(renderScene_->index);
    }
    renderScene_ = nullptr;
}

void SceneLogin::ResetDemo() {
    demo_.Reset();
    shotPending_ = false;
    shotNickname_ = u" ";
    if (table_) {
        table_->Reset(kDemoTableSeed);
        table_->SetCameraFlags(false, true, false, false);
        table_->SetState(0);
        table_->SetVisible(true);
        table_->ForScreens().flags[kDemoHoldFlag] = true;
        table_->ForScreens().flags[kSecondFlag] = false;
        SetUpDemoCamera();
        LoadNextDemoShot();
        table_->FocusCameraOnCueBall();
    }
    credits_.Reset();
    roleLabel_->SetAlpha(0.0f);
    nameLabel_->SetAlpha(0.0f);
    ShowCredit();
}

// The camera of the current mode frames the table from close by, low and from the side.
void SceneLogin::SetUpDemoCamera() {
    quill::Camera* const* slot = table_->GetCurrentCameraRef();
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
    std::array<uint16_t, 5> parts{kNoPart, kNoPart, kNoPart, kNoPart, kNoPart};
    const ItemModelRecord* model = TheItemModelCatalogue().FindById(cueId);
    if (model != nullptr && model->kind == ItemModelKind::kCue && model->custom != 0)
        parts = shot.cuePartIds;
    CueModelEntry* cue = table_->GetCueModel(cueId, parts[0], parts[1], parts[2], parts[3], parts[4]);
    CueModelEntry* previous = table_->CurrentCue();
    if (previous != nullptr && previous != cue)
        table_->ReleaseCue(previous);
    table_->SetCurrentCue(cue);
    {
        quill::ScopedLock hold(shotLock_);
        shot_ = shot;
        shotNickname_ = quill::WString(slot.nickname);
    }
    shotPending_ = true;
}

// Main thread, App lock held. The game thread hands the shot over under the shot's own lock: it holds the
// scene manager's update lock, which is taken after the App lock, so it never waits for the App lock.
void SceneLogin::ApplyPendingShot() {
    if (!table_ || !shotPending_.exchange(false))
        return;
    quill::ScopedLock hold(shotLock_);
    table_->ReleaseBallModels();
    table_->SetGameMode(shot_.gameMode);
    table_->SetEquipmentItems(shot_.tableItemId, shot_.ballSetItemId);
    table_->ReloadEquipmentModels();
    table_->SetupTable(shot_.physicsModelCode, 0);
    table_->LoadShotRecord(shot_);
    table_->SnapshotBalls();
    table_->MoveCameraBehindCueBall(220.0f, 1.0f, true, false);
    shotByLabel_->SetTextF(u"shot By - %s", shotNickname_);
}

void SceneLogin::Render(D3D9RenderDevice* device, bool draw) {
    {
        quill::ScopedLock hold(app_.Lock());
        ApplyPendingShot();
    }
    if (device != nullptr)
        DrawDemoTable(*device, draw);
    if (draw)
        DrawWidgets(device);
}

// The render step, then the room scene and the table's passes in the 3D pass; the widgets follow in 2D.
void SceneLogin::DrawDemoTable(D3D9RenderDevice& device, bool draw) {
    quill::Engine* engine = app_.GetEngine();
    quill::RenderSceneManager* scenes = engine != nullptr ? engine->GetRenderSceneManager() : nullptr;
    if (!table_ || scenes == nullptr)
        return;
    table_->Render3D(draw);
    scenes->UpdateCurrentScene(kSceneStepSeconds);
    if (!draw)
        return;
    CurrentSceneView view(*scenes);
    device.RenderScene(view, 0.0f);
    table_->RenderOverlay(device);
    table_->DrawScene(device, 0);
}

void SceneLogin::UpdateDemo(int64_t clockTenthMs) {
    if (!table_)
        return;
    quill::Camera* const* slot = table_->GetCurrentCameraRef();
    if (slot != nullptr && *slot != nullptr) {
        quill::ScopedLock hold((*slot)->GetLock());
        (*slot)->OrbitDegrees(-(demo_.TurnRate() * kOrbitDegreesPerRate), 0.0f, false);
    }
    const DemoShotCycle::Step step = demo_.Advance();
    if (step.releaseHold)
        table_->ForScreens().flags[kDemoHoldFlag] = false;
    if (step.firstMove) {
        LockedSetDistance(slot, static_cast<float>(140 + app_.GetRandom().Next() % 50));
    }
    if (step.loadShot) {
        table_->StopShot();
        LoadNextDemoShot();
        table_->SetCueBall(0, true);
        table_->SetVisible(true);
    }
    if (step.playShot)
        PlayDemoShot();
    table_->Update(static_cast<uint32_t>(clockTenthMs), 0, 0, false);
    UpdateCredits();
}

// The loaded shot is played, and a camera looking too flat or too steep turns to 30 or 60 degrees.
void SceneLogin::PlayDemoShot() {
    table_->ForScreens().flags[kDemoHoldFlag] = true;
    table_->StartShot(2, true);
    const float pitch = GetCameraPitchDegrees(table_->GetCurrentCameraRef());
    const float keep = CameraController::kKeep;
    if (pitch < 30.0f) {
        table_->GetCamera().SetTarget(keep, 30.0f, keep, keep);
        table_->GetCamera().StartMove(kPitchMoveSteps, 0);
    } else if (pitch > 60.0f) {
        table_->GetCamera().SetTarget(keep, 60.0f, keep, keep);
        table_->GetCamera().StartMove(kPitchMoveSteps, 0);
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
