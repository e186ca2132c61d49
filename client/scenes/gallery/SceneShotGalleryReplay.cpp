// The gallery's replay: the shot window's shot marked pending by PlayShot, started by Render on the main
// thread (which alone loads models), and played again at every stop at the next speed of the cycle normal,
// half, quarter. The shot text comes from the web: a text that does not read starts nothing, an unknown game
// type keeps the mode, unknown equipment takes the mode's defaults and an unknown cue the stock cue.
#include "QuillLib/core/Random.h"
#include "client/app/ScreenServices.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/GameTypeNames.h"
#include "client/scenes/gallery/GalleryShotDialog.h"
#include "client/scenes/gallery/SceneShotGallery.h"
#include "client/table/CameraController.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/LockedCamera.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableModels.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/TextLabel.h"

namespace kestrovan {

namespace {

constexpr float kKeep = CameraController::kKeep;
constexpr float kLowestPitch = 20.0f;
constexpr float kHighestPitch = 60.0f;
constexpr int32_t kPitchSteps = 600;
// The swing count with which a replayed stroke starts.
constexpr int32_t kReplaySwings = 3;

struct ReplaySpeed {
    const char16_t* caption;
    bool flagA, flagB, flagC;
    float factor;
    float distance;
    bool keepPitch;
};

constexpr ReplaySpeed kReplaySpeeds[SceneShotGallery::kSpeeds] = {
    {u"Normal Speed", false, false, true, 1.0f, 300.0f, false},
    {u"½ Speed", false, true, false, 0.5f, 240.0f, true},
    {u"¼ Speed", true, true, false, 0.25f, 60.0f, true},
};

// The item when the catalogue knows it as that kind; 0 (the game's default) otherwise.
uint16_t KnownItem(uint16_t itemId, ItemModelKind kind) {
    const ItemModelRecord* record = TheItemModelCatalogue().FindById(itemId);
    return record != nullptr && record->kind == kind ? itemId : 0;
}

uint32_t KnownPhysicsModel(uint32_t code) {
    return IsPhysicsModelCode(code) ? code : kDefaultPhysicsModelCode;
}

}  // namespace

void SceneShotGallery::PlayShot() {
    speedIndex_ = 0;
    GameTable* table = stage_.Table();
    if (table != nullptr)
        table->StopShot();
    ShotData shot;
    if (!ShotRecord::ParseHex(shot_->ShotText(), shot)) {
        speedIndex_ = kNoSpeed;
        return;
    }
    if (GameTypeOffered(shot.gameMode))
        gameMode_ = shot.gameMode;
    replayShot_ = shot;
    replayPending_ = true;
    EquipShotCue(shot);
}

void SceneShotGallery::EquipShotCue(const ShotData& shot) {
    const ItemModelRecord* record = TheItemModelCatalogue().FindById(shot.cueItemId);
    if (record == nullptr || record->kind != ItemModelKind::kCue) {
        stage_.EquipCue(kStockCue, TableSceneStage::kStockParts);
        return;
    }
    stage_.EquipCue(shot.cueItemId, record->custom != 0 ? shot.cuePartIds : TableSceneStage::kStockParts);
}

// The frame (main thread).
void SceneShotGallery::StartPendingReplay() {
    GameTable* table = stage_.Table();
    if (table == nullptr || !replayPending_.exchange(false))
        return;
    ShotData shot;
    shot = replayShot_;
    stage_.ApplyEquipment({gameMode_, KnownItem(shot.tableItemId, ItemModelKind::kTable),
                           KnownItem(shot.ballSetItemId, ItemModelKind::kBallSet),
                           KnownPhysicsModel(shot.physicsModelCode), 0});
    StartReplay();
    table->SnapshotBalls();
}

void SceneShotGallery::StartReplay() {
    GameTable* table = stage_.Table();
    if (table == nullptr)
        return;
    clampDone_ = false;
    ShotData shot;
    shot = replayShot_;
    table->Reset(app_.GetRandom().Next());
    table->Equipment().SetGameMode(gameMode_);
    table->Models().SetupTable(KnownPhysicsModel(shot.physicsModelCode), 0);
    table->LoadShotRecord(shot);
    const int32_t speed = speedIndex_;
    if (speed < 0 || speed >= kSpeeds)
        return;
    ApplySpeed(*table, speed);
}

void SceneShotGallery::ApplySpeed(GameTable& table, int32_t speed) {
    const ReplaySpeed& chosen = kReplaySpeeds[speed];
    speedCaption_->SetText(chosen.caption);
    table.Cameras().SetCameraFlags(chosen.flagA, chosen.flagB, chosen.flagC, false);
    table.Physics().SetSpeedFactor(chosen.factor);
    // The move ends with the table's camera event: the stroke starts there (ClampCameraPitch).
    table.Cameras().MoveCameraBehindCueBall(chosen.distance, 1.0f, chosen.keepPitch, true);
    table.RenderStep().SetVisible(true);
}

void SceneShotGallery::ClampCameraPitch() {
    GameTable* table = stage_.Table();
    if (table == nullptr || clampDone_ || speedIndex_ == kNoSpeed)
        return;
    clampDone_ = true;
    table->StartShot(kReplaySwings, true);
    const CameraRef camera = table->Cameras().GetCurrentCameraRef();
    if (camera == nullptr || *camera == nullptr)
        return;
    const float pitch = GetCameraPitchDegrees(camera);
    if (pitch < kLowestPitch) {
        table->Cameras().GetCamera().SetTarget(kKeep, kLowestPitch, kKeep, kKeep);
        table->Cameras().GetCamera().StartMove(kPitchSteps, 0);
    } else if (pitch > kHighestPitch) {
        table->Cameras().GetCamera().SetTarget(kKeep, kHighestPitch, kKeep, kKeep);
        table->Cameras().GetCamera().StartMove(kPitchSteps, 0);
    }
}

void SceneShotGallery::OnBallsStopped() {
    GameTable* table = stage_.Table();
    clampDone_ = false;
    if (speedIndex_ == kNoSpeed)
        return;
    speedIndex_ = (speedIndex_ + 1) % kSpeeds;
    if (table == nullptr)
        return;
    table->Rack().SetCueBall(0, true);
    table->RenderStep().SetVisible(true);
    if (!replayPending_)
        StartReplay();
}

void SceneShotGallery::Render(D3D9RenderDevice* device, bool draw) {
    GameTable* table = stage_.Table();
    if (table == nullptr) {
        if (draw)
            DrawWidgets(device);
        return;
    }
    if (draw)
        StartPendingReplay();
    const TableSceneStage::Lighting lighting{{0, 1.0f, 1.0f, 1.0f, 0.35f, 1, 1, 0.0f, 0.0f, -1.0f},
                                             0.35f,
                                             {0, 1.0f, 1.0f, 1.0f, 0.25f, 1, 1, 0.0f, 0.0f, -1.0f},
                                             0.25f};
    stage_.Render(device, draw, 1.0f / 60.0f, &lighting);
    if (!draw || device == nullptr)
        return;
    device->Begin2D();
    table->HudValues().DrawHud();
    DrawWidgets(device);
}

}  // namespace kestrovan
