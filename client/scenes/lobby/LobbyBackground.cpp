#include "client/scenes/lobby/LobbyBackground.h"

#include <array>
#include <vector>

#include "QuillLib/core/Random.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/math/MathConstants.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/sound/SoundManager.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/ScreenServices.h"
#include "client/app/Settings.h"
#include "client/app/UiFonts.h"
#include "client/connection/GameConnection.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/render/CurrentSceneView.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/scenes/common/AppTableHost.h"
#include "client/scenes/lobby/LobbyRules.h"
#include "client/table/CueModelEntry.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/RenderSceneCameras.h"
#include "client/table/ShotRecord.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiColours.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

namespace {

constexpr uint16_t kTableItem = 1501;
constexpr uint16_t kBallSetItem = 2200;
constexpr uint32_t kLobbyMusic = 3;
constexpr uint16_t kNoPart = 0xFFFF;
constexpr float kMaxOrbitDistance = 1600.0f;
constexpr float kSceneStepSeconds = 1.0f / 60.0f;

quill::RenderSceneManager* RenderScenes(ScreenServices& app) {
    quill::Engine* engine = app.GetEngine();
    return engine != nullptr ? engine->GetRenderSceneManager() : nullptr;
}

quill::SoundManager* Sounds(ScreenServices& app) {
    quill::Engine* engine = app.GetEngine();
    return engine != nullptr ? engine->GetSoundManager() : nullptr;
}

}  // namespace

LobbyBackground::LobbyBackground(ScreenServices& app, GameConnection& connection) : app_(app), connection_(connection) {}

LobbyBackground::~LobbyBackground() = default;

void LobbyBackground::BuildCaption(Widget& screen) {
    caption_ = screen.CreateTextLabel(540, 590, 280, 20, &UiFontAt(UiFont::Bold12), 0, 0);
    caption_->SetColors(kGreen, 0);
    caption_->SetAnchor(0, 0, AnchorMode::Bottom, -160);
    caption_->Show(false);
}

bool LobbyBackground::Load(quill::ResourceManager& resources, D3D9RenderDevice& device) {
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
    table_->Services().host = tableHost_.get();
    table_->SetState(0);
    table_->Equipment().SetGameMode(quill::RoomInfo{}.gameType);
    table_->Equipment().SetEquipmentItems(kTableItem, kBallSetItem);
    table_->Models().SetupTable(kDefaultPhysicsModelCode, 1);
    table_->Cameras().SetupCameras(*cameras_, 0);
    table_->Cameras().GetCamera().SetScene(cameras_.get());
    table_->Models().SetEnvironmentFlag(0);
    return table_->Models().LoadModels(resources, device, 0);
}

void LobbyBackground::StartMusic() {
    quill::SoundManager* sounds = Sounds(app_);
    ResourcePackCatalog* catalog = app_.Catalog();
    if (sounds == nullptr || catalog == nullptr) return;
    if (auto music = catalog->GetSound(kLobbyMusic)) {
        sounds->LoadStreamingSound(music, kLobbyMusic, quill::SoundManager::kMusicCategory);
        sounds->Play(kLobbyMusic, 1.0f, 0, true);
    }
}

void LobbyBackground::Release() {
    if (table_) table_->Models().UnloadModels();
    table_.reset();
    tableHost_.reset();
    cameras_.reset();
    quill::RenderSceneManager* scenes = RenderScenes(app_);
    if (renderScene_ != nullptr && scenes != nullptr) {
        scenes->SelectNoScene();
        scenes->RemoveScene(renderScene_->index);
    }
    renderScene_ = nullptr;
    if (quill::SoundManager* sounds = Sounds(app_)) {
        sounds->Stop(kLobbyMusic);
        sounds->RemoveSound(kLobbyMusic);
    }
}

void LobbyBackground::Enter() {
    orbitPitch_ = 18.0f;
    orbitDistance_ = 300.0f;
    orbitSpeed_ = 2.0f;
    reloadPending_ = false;
    bestShotIndex_ = 0;
    caption_->Show(false);
    if (!table_) return;
    table_->Models().SetupTable(kDefaultPhysicsModelCode, 1);
    table_->Reset(app_.GetRandom().Next());
    table_->Cameras().SetCameraFlags(false, false, false, false);
    ApplySettings();
    table_->SetState(0);
    table_->RenderStep().SetVisible(false);
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

void LobbyBackground::ApplySettings() {
    if (table_) table_->Models().SetEnvironmentFlag(0);
}

void LobbyBackground::ReleaseHeldKeys() {
    if (table_) table_->Input().ReleaseHeldKeys(false);
}

void LobbyBackground::ShowYesterdayBest() {
    const std::vector<BestShot> shots = connection_.BestShots();
    if (shots.empty()) return;
    const BestShot& best = shots[bestShotIndex_ % shots.size()];
    caption_->SetText(BestShotCaption(bestShotIndex_, best.nickname));
    caption_->Show(true);
    ShotData shot;
    if (!ShotRecord::ParseHex(best.record, shot)) return;
    shot_ = shot;
    if (table_) {
        table_->Equipment().SetGameMode(shot.gameMode);
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

void LobbyBackground::ApplyPendingShot() {
    if (!table_ || !reloadPending_.exchange(false)) return;
    WidgetToolkit::CheckTreeAccess("LobbyBackground::ApplyPendingShot");
    table_->Models().ReleaseBallModels();
    table_->Equipment().SetGameMode(shot_.gameMode);
    table_->Equipment().SetEquipmentItems(shot_.tableItemId, shot_.ballSetItemId);
    table_->Models().ReloadEquipmentModels();
    table_->Reset(app_.GetRandom().Next());
    table_->Models().SetupTable(shot_.physicsModelCode, 0);
    table_->LoadShotRecord(shot_);
    table_->Cameras().SetCameraFlags(false, false, false, false);
    table_->SnapshotBalls();
    table_->LoadShotRecord(shot_);
    table_->RenderStep().SetVisible(true);
    table_->StartShot(bestShotIndex_ == 0 ? 4 : 3, true);
}

void LobbyBackground::OnBallsStopped() {
    if (!table_) return;
    table_->Rack().SetCueBall(0, true);
    table_->RenderStep().SetVisible(true);
    const size_t count = connection_.BestShots().size();
    if (reloadPending_ || count == 0) return;
    bestShotIndex_ = (bestShotIndex_ + 1) % count;
    ShowYesterdayBest();
}

void LobbyBackground::Draw(D3D9RenderDevice* device, bool draw) {
    if (draw) ApplyPendingShot();
    quill::RenderSceneManager* scenes = RenderScenes(app_);
    if (device == nullptr || !table_ || scenes == nullptr) return;
    table_->RenderStep().Render3D(draw);
    scenes->UpdateCurrentScene(kSceneStepSeconds);
    if (!draw) return;
    CurrentSceneView view(*scenes);
    device->RenderScene(view, 0.0f);
    table_->RenderStep().RenderOverlay(*device);
    table_->RenderStep().DrawScene(*device, 0);
}

void LobbyBackground::Update(int64_t clockTenthMs) {
    if (!table_) return;
    table_->Update(static_cast<uint32_t>(clockTenthMs), 0, 0, false);
    OrbitCamera();
}

// The camera drifts out to its distance and up to its pitch, and turns slowly about the table.
void LobbyBackground::OrbitCamera() {
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
