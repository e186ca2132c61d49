// The lobby's background: a table on the room scene of "Map0000" that replays yesterday's best shots one
// after another under a camera that slowly orbits it, and the lobby music. Loading, drawing and releasing
// happen on the main thread; the orbit and the table's update on the game thread. The next shot is chosen when
// the balls stop (an application event) and handed to Render through the reload-pending flag.
#include <cmath>

#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/App.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/CurrentSceneView.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/AppTableHost.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/lobby/SceneLobby.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/RenderSceneCameras.h"
#include "client/table/ShotRecord.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"

namespace kestrovan {

namespace {

constexpr uint16_t kTableItem = 1501;
constexpr uint16_t kBallSetItem = 2200;
constexpr uint32_t kLobbyMusic = 3;
constexpr int kMusicCategory = 1;
constexpr uint16_t kNoPart = 0xFFFF;
constexpr float kMaxOrbitDistance = 1600.0f;
constexpr float kSceneStepSeconds = 1.0f / 60.0f;

quill::RenderSceneManager* RenderScenes(App& app) {
    quill::Engine* engine = app.GetEngine();
    return engine != nullptr ? engine->GetRenderSceneManager() : nullptr;
}

}  // namespace

int SceneLobby::LoadResources(quill::ResourceManager* resources, D3D9RenderDevice* device) {
    if (resourcesLoaded_) quill::AssertBreak("SceneLobby", 356);
    resourcesLoaded_ = true;
    if (resources == nullptr || device == nullptr) return 1;
    if (!CreateBackgroundTable(*resources, *device)) return 1;
    LoadGraphics(0);
    quill::Engine* engine = app_.GetEngine();
    quill::SoundManager* sounds = engine != nullptr ? engine->GetSoundManager() : nullptr;
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds != nullptr && catalog != nullptr) {
        if (auto music = catalog->GetSound(kLobbyMusic)) {
            sounds->LoadStreamingSound(music, kLobbyMusic, kMusicCategory);
            sounds->Play(kLobbyMusic, 1.0f, 0, true);
        }
    }
    ResetSceneNodes(renderScene_);
    return 0;
}

bool SceneLobby::CreateBackgroundTable(quill::ResourceManager& resources, D3D9RenderDevice& device) {
    quill::Package* data = resources.OpenPackage(u"data", false);
    quill::ResourceFile* map = data != nullptr ? data->GetResourceFile(u"Map0000", true) : nullptr;
    quill::RenderSceneManager* scenes = RenderScenes(app_);
    if (map == nullptr || scenes == nullptr) return false;
    renderScene_ = scenes->CreateScene(map->GetSceneInfoTable()->FindShared(0));
    if (renderScene_ == nullptr || !scenes->SelectScene(renderScene_->index)) return false;
    cameras_ = std::make_unique<RenderSceneCameras>(*renderScene_);
    cameras_->SelectCamera(0);
    tableHost_ = std::make_unique<AppTableHost>(app_);
    table_ = std::make_unique<GameTable>();
    table_->SetHost(tableHost_.get());
    table_->SetState(0);
    table_->SetGameMode(quill::RoomInfo{}.gameType);
    table_->Equipment().SetEquipmentItems(kTableItem, kBallSetItem);
    table_->SetupTable(kDefaultPhysicsModelCode, 1);
    table_->Cameras().SetupCameras(*cameras_, 0);
    table_->Cameras().GetCamera().SetScene(cameras_.get());
    table_->Models().SetEnvironmentFlag(0);
    return table_->LoadModels(resources, device, 0);
}

// Main thread, in the frame step's switch: the table's models go before the scene they stand in, then the
// music.
void SceneLobby::ReleaseBackgroundTable() {
    if (table_) table_->UnloadModels();
    table_.reset();
    tableHost_.reset();
    cameras_.reset();
    quill::RenderSceneManager* scenes = RenderScenes(app_);
    if (renderScene_ != nullptr && scenes != nullptr) {
        scenes->SelectNoScene();
        scenes->RemoveScene(renderScene_->index);
    }
    renderScene_ = nullptr;
    quill::Engine* engine = app_.GetEngine();
    if (quill::SoundManager* sounds = engine != nullptr ? engine->GetSoundManager() : nullptr) {
        sounds->Stop(kLobbyMusic);
        sounds->RemoveSound(kLobbyMusic);
    }
}

void SceneLobby::PrepareBackgroundTable() {
    if (!table_) return;
    table_->SetupTable(kDefaultPhysicsModelCode, 1);
    table_->Reset(app_.GetRandom().Next());
    table_->Cameras().SetCameraFlags(false, false, false, false);
    OnSettingsChanged(app_.GetSettings());
    table_->SetState(0);
    table_->SetVisible(false);
    quill::Camera* const* slot = table_->Cameras().GetCurrentCameraRef();
    if (slot == nullptr || *slot == nullptr) return;
    quill::Camera& camera = **slot;
    quill::ScopedLock hold(camera.GetLock());
    camera.SetMinPitch(-quill::kPi / 2.0f);
    camera.SetMaxPitch(quill::kPi / 2.0f);
    camera.SetMinDistance(10.0f);
    camera.SetMaxDistance(2500.0f);
    camera.SetYaw(quill::kPi / 2.0f);
}

void SceneLobby::ShowYesterdayBest() {
    const std::vector<BestShot> shots = connection_.BestShots();
    if (shots.empty()) return;
    const BestShot& best = shots[bestShotIndex_ % shots.size()];
    bestShotLabel_->SetText(BestShotCaption(bestShotIndex_, best.nickname));
    bestShotLabel_->Show(true);
    ShotData shot;
    if (!ShotRecord::ParseHex(best.record, shot)) return;
    {
        quill::ScopedLock hold(shotLock_);
        shot_ = shot;
    }
    if (table_) {
        table_->SetGameMode(shot.gameMode);
        std::array<uint16_t, 5> parts{kNoPart, kNoPart, kNoPart, kNoPart, kNoPart};
        const ItemModelRecord* model = TheItemModelCatalogue().FindById(shot.cueItemId);
        if (model != nullptr && model->kind == ItemModelKind::kCue && model->custom != 0) parts = shot.cuePartIds;
        CueModelEntry* cue =
            table_->CueModels().GetCueModel(shot.cueItemId, parts[0], parts[1], parts[2], parts[3], parts[4]);
        CueModelEntry* previous = table_->RenderStep().CurrentCue();
        if (previous != nullptr && previous != cue) table_->CueModels().ReleaseCue(previous);
        table_->RenderStep().SetCurrentCue(cue);
    }
    reloadPending_ = true;
}

// The frame (main thread): the shot chosen when the balls stopped is loaded and started.
void SceneLobby::ApplyPendingBestShot() {
    if (!table_ || !reloadPending_.exchange(false)) return;
    quill::ScopedLock hold(shotLock_);
    table_->Models().ReleaseBallModels();
    table_->SetGameMode(shot_.gameMode);
    table_->Equipment().SetEquipmentItems(shot_.tableItemId, shot_.ballSetItemId);
    table_->Models().ReloadEquipmentModels();
    table_->Reset(app_.GetRandom().Next());
    table_->SetupTable(shot_.physicsModelCode, 0);
    table_->LoadShotRecord(shot_);
    table_->Cameras().SetCameraFlags(false, false, false, false);
    table_->SnapshotBalls();
    table_->LoadShotRecord(shot_);
    table_->SetVisible(true);
    table_->StartShot(bestShotIndex_ == 0 ? 4 : 3, true);
}

void SceneLobby::OnBallsStopped() {
    if (!table_) return;
    table_->SetCueBall(0, true);
    table_->SetVisible(true);
    const size_t count = connection_.BestShots().size();
    if (reloadPending_ || count == 0) return;
    bestShotIndex_ = (bestShotIndex_ + 1) % count;
    ShowYesterdayBest();
}

void SceneLobby::Render(D3D9RenderDevice* device, bool draw) {
    // The lobby's clock runs through the first 48 seconds past midnight, ten seconds at a time.
    UpdateAmbientLight(static_cast<uint32_t>(static_cast<double>(platform::TimeGetTime() / 1000 % 10) * 4.8));
    if (draw) ApplyPendingBestShot();
    OpenQueuedWebPages();
    if (device != nullptr) DrawBackgroundTable(*device, draw);
    if (!draw) return;
    // The creation and practice dialogs' table and ball previews are built here, before the widgets draw.
    quill::Engine* engine = app_.GetEngine();
    if (device != nullptr && engine != nullptr && engine->GetResourceManager() != nullptr)
        LoadShownItemPreviews(*this, *engine->GetResourceManager(), *device);
    DrawWidgets(device);
}

void SceneLobby::DrawBackgroundTable(D3D9RenderDevice& device, bool draw) {
    quill::RenderSceneManager* scenes = RenderScenes(app_);
    if (!table_ || scenes == nullptr) return;
    table_->RenderStep().Render3D(draw);
    scenes->UpdateCurrentScene(kSceneStepSeconds);
    if (!draw) return;
    CurrentSceneView view(*scenes);
    device.RenderScene(view, 0.0f);
    table_->RenderStep().RenderOverlay(device);
    table_->RenderStep().DrawScene(device, 0);
}

void SceneLobby::Update(uint32_t, int64_t clockTenthMs) {
    if (!table_) return;
    table_->Update(static_cast<uint32_t>(clockTenthMs), 0, 0, false);
    OrbitCamera();
}

// The camera drifts out to its distance and up to its pitch, and turns slowly about the table.
void SceneLobby::OrbitCamera() {
    quill::Camera* const* slot = table_->Cameras().GetCurrentCameraRef();
    if (slot == nullptr || *slot == nullptr) return;
    quill::Camera& camera = **slot;
    quill::ScopedLock hold(camera.GetLock());
    if (orbitDistance_ < kMaxOrbitDistance) orbitDistance_ += orbitSpeed_ * 0.0002f;
    if (orbitPitch_ < 18.0f) orbitPitch_ += orbitSpeed_ * 0.00015f;
    camera.SetDistance(orbitDistance_);
    camera.SetPitch(quill::DegreesToRadians(orbitPitch_), false);
    camera.OrbitDegrees(orbitSpeed_ * 0.003f, 0.0f, false);
}

}  // namespace kestrovan
