#include "client/scenes/common/TableSceneStage.h"

#include <vector>

#include "QuillLib/core/Random.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/SceneInfo.h"
#include "client/app/ScreenServices.h"
#include "client/connection/GameConnection.h"
#include "client/render/CurrentSceneView.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/rules/TablePhysics.h"
#include "client/scenes/common/AppTableHost.h"
#include "client/scenes/common/AppTableSound.h"
#include "client/scenes/common/ConnectionTableLink.h"
#include "client/scenes/common/ItemPreviews.h"
#include "client/scenes/common/ProfileTablePlayer.h"
#include "client/table/GameTable.h"
#include "client/table/RenderSceneCameras.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableInput.h"
#include "client/table/TableModels.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/WidgetToolkit.h"

namespace kestrovan {

// The cameras of a stage without a map: a camera over the table that the table's cameras are copied from,
// and the cameras the table adds, kept for the stage's life; the one selected is the one drawn through.
class TableSceneStage::OwnCameras : public SceneCameraSelector {
public:
    static constexpr float kAspectRatio = 0.75f;

    OwnCameras() {
        source_.SetFrame({0.0f, -350.0f, 250.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f});
        source_.SetAspectRatio(kAspectRatio);
    }
    bool SelectCamera(uint32_t cameraId) override {
        if (cameraId >= added_.size()) return false;
        selected_ = cameraId;
        return true;
    }
    const quill::Camera* CurrentCamera() const override {
        return selected_ < added_.size() ? added_[selected_].get() : &source_;
    }
    float AspectRatio() const override { return kAspectRatio; }
    AddedCamera AddCamera(std::unique_ptr<quill::Camera> camera) override {
        added_.push_back(std::move(camera));
        return {added_.back().get(), static_cast<uint32_t>(added_.size() - 1)};
    }

private:
    quill::Camera source_{u"stage"};
    std::vector<std::unique_ptr<quill::Camera>> added_;
    size_t selected_ = SIZE_MAX;
};

TableSceneStage::TableSceneStage(ScreenServices& app, Services services)
    : app_(app), host_(std::make_unique<AppTableHost>(app)) {
    if (services.sound) sound_ = std::make_unique<AppTableSound>();
    GameConnection* connection = app.Connection();
    if (services.player && connection != nullptr) {
        player_ = std::make_unique<ProfileTablePlayer>(connection->LocalPlayer());
    }
    if (services.connection && connection != nullptr) {
        connection_ = std::make_unique<ConnectionTableLink>(*connection);
    }
}

TableSceneStage::~TableSceneStage() {
    Release(nullptr);
}

quill::RenderSceneManager* TableSceneStage::RenderScenes() const {
    quill::Engine* engine = app_.GetEngine();
    return engine != nullptr ? engine->GetRenderSceneManager() : nullptr;
}

GameTable& TableSceneStage::CreateTable(const Equipment& equipment) {
    if (table_ != nullptr) Release(RenderScenes());
    table_ = std::make_unique<GameTable>();
    table_->Services().host = host_.get();
    table_->Services().player = player_.get();
    table_->SetSound(sound_.get());
    // The referee's praise is drawn from the application's own generator, not the table's.
    table_->Physics().GetReferee().SetVoiceRandom(&app_.GetRandom());
    table_->Services().connection = connection_.get();
    table_->Equipment().SetGameMode(equipment.gameMode);
    table_->Equipment().SetEquipmentItems(equipment.tableItem, equipment.ballSetItem);
    table_->Models().SetupTable(equipment.physicsModel, equipment.ownPhysics);
    return *table_;
}

bool TableSceneStage::Load(quill::ResourceManager& resources, D3D9RenderDevice& device, quill::WStringView mapFile,
                           int32_t cameraVariant, int32_t modelVariant) {
    quill::Package* package = resources.OpenPackage(u"data", false);
    quill::ResourceFile* map = package != nullptr ? package->GetResourceFile(mapFile, true) : nullptr;
    quill::RenderSceneManager* renderScenes = RenderScenes();
    if (table_ == nullptr || map == nullptr || map->GetSceneInfoTable() == nullptr || renderScenes == nullptr) {
        return false;
    }
    renderScene_ = renderScenes->CreateScene(map->GetSceneInfoTable()->FindShared(0));
    if (renderScene_ == nullptr || !renderScenes->SelectScene(renderScene_->index)) return false;
    cameras_ = std::make_unique<RenderSceneCameras>(*renderScene_);
    cameras_->SelectCamera(0);
    table_->Cameras().SetupCameras(*cameras_, cameraVariant);
    table_->Cameras().GetCamera().SetScene(cameras_.get());
    // The room of the map stands around the table: the table draws no surroundings of its own.
    table_->Models().SetEnvironmentFlag(0);
    return table_->Models().LoadModels(resources, device, modelVariant);
}

bool TableSceneStage::LoadWithoutMap(quill::ResourceManager& resources, D3D9RenderDevice& device,
                                     int32_t modelVariant) {
    if (table_ == nullptr) return false;
    ownCameras_ = std::make_unique<OwnCameras>();
    table_->Cameras().SetupCameras(*ownCameras_, 0);
    table_->Cameras().GetCamera().SetScene(ownCameras_.get());
    table_->Models().SetEnvironmentFlag(0);
    return table_->Models().LoadModels(resources, device, modelVariant);
}

// --- equipment ---

void TableSceneStage::RequestEquipment(const Equipment& equipment) {
    WidgetToolkit::CheckTreeAccess("TableSceneStage::RequestEquipment");
    pending_ = equipment;
}

bool TableSceneStage::HasPendingEquipment() const {
    return pending_.has_value();
}

std::optional<TableSceneStage::Equipment> TableSceneStage::TakePendingEquipment() {
    WidgetToolkit::CheckTreeAccess("TableSceneStage::TakePendingEquipment");
    std::optional<Equipment> taken = pending_;
    pending_.reset();
    return taken;
}

void TableSceneStage::ApplyEquipment(const Equipment& equipment) {
    if (table_ == nullptr) return;
    table_->Models().ReleaseBallModels();
    table_->Equipment().SetGameMode(equipment.gameMode);
    table_->Equipment().SetEquipmentItems(equipment.tableItem, equipment.ballSetItem);
    table_->Models().ReloadEquipmentModels();
    table_->Models().SetupTable(equipment.physicsModel, equipment.ownPhysics);
}

// --- the cue ---

CueModelEntry* TableSceneStage::EquipCue(uint16_t itemId, const CueModelEntry::PartIds& parts) {
    if (table_ == nullptr) return nullptr;
    CueModelEntry* cue = table_->CueModels().GetCueModel(itemId, parts[0], parts[1], parts[2], parts[3], parts[4]);
    CueModelEntry* previous = table_->RenderStep().CurrentCue();
    table_->RenderStep().SetCurrentCue(cue);
    // GetCueModel took a reference for this cue; the one taken for the previous cue goes.
    if (previous != nullptr) table_->CueModels().ReleaseCue(previous);
    cue_ = cue;
    return cue;
}

// --- drawing ---

void TableSceneStage::Render(D3D9RenderDevice* device, bool draw, float sceneSeconds, const Lighting* lighting) {
    if (table_ == nullptr) return;
    table_->RenderStep().Render3D(draw);
    quill::RenderSceneManager* renderScenes = RenderScenes();
    if (renderScene_ != nullptr && renderScenes != nullptr) renderScenes->UpdateCurrentScene(draw ? sceneSeconds : 0.0f);
    if (draw && device != nullptr) DrawTable(*device, lighting);
}

void TableSceneStage::DrawTable(D3D9RenderDevice& device, const Lighting* lighting) {
    if (lighting != nullptr || renderScene_ == nullptr) {
        quill::FogSettings fog;
        quill::SceneEnvironment environment;
        if (renderScene_ != nullptr) {
            environment = renderScene_->GetEnvironment(fog);
        } else if (quill::Camera* const* camera = table_->Cameras().GetCurrentCameraRef(); camera != nullptr) {
            environment.camera = *camera;
        }
        device.Begin3D(environment);
    }
    if (lighting != nullptr) {
        device.AddDirectionalLight(lighting->first);
        device.EnableLights(true, true, true);
        device.SetAmbientColor(1.0f, 1.0f, 1.0f, lighting->firstAmbient);
    }
    table_->RenderStep().RenderOverlay(device);
    if (quill::RenderSceneManager* renderScenes = RenderScenes(); renderScene_ != nullptr && renderScenes != nullptr) {
        CurrentSceneView view(*renderScenes);
        device.RenderScene(view, 0.0f);
    }
    if (lighting != nullptr) {
        device.AddDirectionalLight(lighting->second);
        device.EnableLights(true, true, true);
        device.SetAmbientColor(1.0f, 1.0f, 1.0f, lighting->secondAmbient);
    }
    table_->RenderStep().DrawScene(device, 0);
    if (lighting != nullptr) device.DisableAllLights();
}

// --- leaving ---

void TableSceneStage::Release(quill::RenderSceneManager* renderScenes) {
    if (table_ != nullptr) table_->Models().UnloadModels();
    table_.reset();
    cue_ = nullptr;
    cameras_.reset();
    ownCameras_.reset();
    if (renderScene_ != nullptr && renderScenes != nullptr) {
        if (renderScenes->GetCurrentScene() == renderScene_) renderScenes->SelectNoScene();
        renderScenes->RemoveScene(renderScene_->index);
    }
    renderScene_ = nullptr;
}

void TableSceneStage::DrawHudAndPreviews(Widget& root, D3D9RenderDevice& device) {
    if (table_ == nullptr) return;
    table_->HudValues().DrawHud();
    quill::Engine* engine = app_.GetEngine();
    if (engine != nullptr && engine->GetResourceManager() != nullptr) {
        LoadShownItemPreviews(root, *engine->GetResourceManager(), device);
    }
}

void TableSceneStage::LayoutHud(uint32_t width, uint32_t height) {
    if (table_ != nullptr) table_->HudValues().LayoutHud(static_cast<int32_t>(width), static_cast<int32_t>(height));
}

void TableSceneStage::OnScreenActivate(bool active) {
    if (table_ != nullptr && !active) table_->Input().ReleaseHeldInput();
}

void TableSceneStage::PollKeys() {
    if (table_ != nullptr) table_->Input().PollKeys();
}

void TableSceneStage::TakeMotionBeforeRelease(int64_t clockTenthMs, const MouseMotion& motion) {
    if (table_ != nullptr) table_->TakeMouseInput(static_cast<uint32_t>(clockTenthMs), motion.dx, motion.dy);
}

}  // namespace kestrovan
