#pragma once
// A game table on the default data, set up and drawn as a game screen does it: the engine's device (recording
// or OpenGL), the packages of the build's game/data, the game room's scene ("Map0002") with its overview camera
// selected, the widget toolkit with the HUD atlas of the pack catalogue's slot 14 (unless one is installed
// already), and a table equipped for a game type with its models loaded. For the table's pixel tests and
// benchmarks; no test framework here.
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/Texture.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/RenderSceneCameras.h"
#include "client/table/TableAim.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableCueModels.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableHudValues.h"
#include "client/table/TableModels.h"
#include "client/table/TableRack.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/CodePage.h"
#include "tests/support/table/TableFakes.h"
#include "tests/support/gfx/CurrentSceneView.h"
#include "tests/support/gfx/DeviceWidgetRenderer.h"
#include "tests/support/gfx/TestEngineFactory.h"

namespace kvtest {

class TableStage {
public:
    // The interface textures by slot, as the pack catalogue hands them out.
    class SlotTextures : public kestrovan::WidgetResources {
    public:
        class Slot : public kestrovan::WidgetTexture {
        public:
            explicit Slot(quill::SharedPtr<quill::Texture> texture) : texture_(std::move(texture)) {}
            platform::gfx::BaseTexture* GetDeviceTexture() override {
                texture_->Acquire(false);
                return texture_->GetDeviceTexture();
            }

        private:
            quill::SharedPtr<quill::Texture> texture_;
        };

        quill::SharedPtr<kestrovan::WidgetTexture> GetTextureById(int32_t id) override {
            const auto found = slots.find(id);
            return found != slots.end() ? found->second : quill::SharedPtr<kestrovan::WidgetTexture>();
        }
        quill::SharedPtr<kestrovan::SpriteAnimation> GetSpriteAnimationById(int32_t, int32_t) override { return {}; }

        std::map<int32_t, quill::SharedPtr<kestrovan::WidgetTexture>> slots;
    };

    // dataFolder: the build's game/data. Error() tells what failed when Ready() is false.
    TableStage(TestEngineFactory& factory, const std::filesystem::path& dataFolder, uint16_t width, uint16_t height)
        : engine_(factory.CreateEngine()) {
        host.width = width;
        host.height = height;
        if (!engine_->Initialize()) {
            error_ = "the engine did not start";
            return;
        }
        device = static_cast<kestrovan::Graphics&>(*engine_->GetGraphics()).GetDevice();
        if (device == nullptr || device->GetGfxDevice() == nullptr) {
            error_ = "no device";
            return;
        }
        resources = engine_->GetResourceManager();
        resources->SetRootFolder(platform::Utf8ToUtf16(dataFolder.parent_path().string()));
        resources->SetDataFolder(u"data");
        resources->SetRenderDevice(device);
        catalogue.AddStockModels(quill::TheCuePartCatalogue());
        if (!LoadAtlas() || !LoadScene()) {
            return;
        }
        // A test binary that installed a toolkit of its own keeps it (one toolkit at a time).
        if (kestrovan::WidgetToolkit::Current() == nullptr) {
            renderer_ = std::make_unique<DeviceWidgetRenderer>(*device);
            toolkit_ = std::make_unique<kestrovan::WidgetToolkit>(uiServices_, atlas_, *renderer_);
        }
    }

    ~TableStage() {
        table.reset();
        toolkit_.reset();
        if (resources != nullptr) {
            resources->Shutdown();
            resources->SetRenderDevice(nullptr);
        }
    }
    TableStage(const TableStage&) = delete;
    TableStage& operator=(const TableStage&) = delete;

    bool Ready() const { return error_.empty(); }
    // The interface textures the stage's toolkit draws with; a test may add slots.
    SlotTextures& Atlas() { return atlas_; }
    const std::string& Error() const { return error_; }

    // A table of the game type with its default items, racked, its models loaded, the stock cue current, control
    // given to the player and 60 % power on the gauge; false when the models did not load.
    bool MakeTable(quill::GameType gameType) {
        player.chalkId = 4901;
        table = std::make_unique<kestrovan::GameTable>();
        table->Services().host = &host;
        table->Services().player = &player;
        table->Services().itemModels = &catalogue;
        table->Equipment().SetGameMode(gameType);
        table->Equipment().SetEquipmentItems(0, 0);
        table->Models().SetupTable(kestrovan::kDefaultPhysicsModelCode, 1);
        table->Cameras().SetupCameras(*cameras, 0);
        table->Cameras().GetCamera().SetScene(cameras.get());
        table->Reset(1234);
        table->Rack().RackBalls();
        if (!table->Models().LoadModels(*resources, *device, 0)) {
            error_ = "the table's models did not load";
            return false;
        }
        table->RenderStep().SetCurrentCue(table->CueModels().GetCueModel(0, 0xFFFF, 0, 0, 0, 0));
        table->Turn().SetControlEnabled(true);
        table->SetState(4);
        table->HudValues().LayoutHud(host.width, host.height);
        table->HudValues().SetShownPower(0.6f);
        table->Aim().UpdatePowerGauge();
        return true;
    }

    // The current camera of the table looks at target from eye (z up); the scene draws through it.
    void ViewFrom(const quill::Vec3& eye, const quill::Vec3& target) {
        quill::Camera* camera = table->Cameras().GetCamera().CurrentCamera();
        if (camera != nullptr) {
            // The side vector is up x look, as the engine's cameras keep it.
            camera->SetFrame(eye, target, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f});
            table->Cameras().GetCamera().ApplyMode();
        }
    }

    // One frame between the device's begin and end of scene, as a game screen draws it: the render step, the
    // scene, the table's overlay and scene passes, and the HUD in the 2D pass. The caller presents.
    bool DrawFrame() {
        quill::RenderSceneManager& manager = *engine_->GetRenderSceneManager();
        table->RenderStep().Render3D(true);
        manager.UpdateCurrentScene(1.0f / 60);
        device->clearColor = 0xFF102040;
        CurrentSceneView view(manager);
        if (!device->BeginFrame() || !device->BeginScene() || !device->RenderScene(view, 0)) {
            return false;
        }
        table->RenderStep().RenderOverlay(*device);
        table->RenderStep().DrawScene(*device, 0);
        const bool hud = device->Begin2D();
        table->HudValues().DrawHud();
        device->EndScene();
        return hud;
    }

    // One frame lit as the table screens light it (the offline screen, the login screen's demo table): a
    // white light straight down, a white ambient light at 35 % for the room and the table, and at 25 % for
    // the balls, cue and markers; then the HUD. It goes through the device's scene pass as a screen's frame
    // does. The caller presents.
    bool DrawFrameLitFromAbove() {
        quill::RenderSceneManager& manager = *engine_->GetRenderSceneManager();
        table->RenderStep().Render3D(true);
        manager.UpdateCurrentScene(1.0f / 60);
        device->clearColor = 0xFF102040;
        LitTableView view(*this, manager);
        if (!device->BeginFrame() || !device->BeginScene() || !device->RenderScene(view, 0)) {
            return false;
        }
        const bool hud = device->Begin2D();
        table->HudValues().DrawHud();
        device->EndScene();
        return hud;
    }

    kestrovan::D3D9RenderDevice* device = nullptr;
    quill::ResourceManager* resources = nullptr;
    quill::RenderScene* scene = nullptr;
    std::unique_ptr<kestrovan::RenderSceneCameras> cameras;
    kestrovan::ItemModelCatalogue catalogue;
    kestrovan::test::FakeHost host;
    kestrovan::test::FakePlayer player;
    std::unique_ptr<kestrovan::GameTable> table;

private:
    // The table screens' 3D drawing of a frame.
    class LitTableView : public quill::SceneView {
    public:
        LitTableView(TableStage& stage, quill::RenderSceneManager& manager) : stage_(stage), manager_(manager) {}
        bool Render(quill::RenderDevice&, float) override {
            kestrovan::D3D9RenderDevice& device = *stage_.device;
            quill::FogSettings fog;
            device.Begin3D(stage_.scene->GetEnvironment(fog));
            const kestrovan::DirectionalLightDesc light{0, 1.0f, 1.0f, 1.0f, 1.0f, 1, 1, 0.0f, 0.0f, -1.0f};
            device.AddDirectionalLight(light);
            device.EnableLights(true, true, true);
            device.SetAmbientColor(1.0f, 1.0f, 1.0f, 0.35f);
            stage_.table->RenderStep().RenderOverlay(device);
            manager_.RenderCurrentScene();
            device.AddDirectionalLight(light);
            device.EnableLights(true, true, true);
            device.SetAmbientColor(1.0f, 1.0f, 1.0f, 0.25f);
            stage_.table->RenderStep().DrawScene(device, 0);
            device.DisableAllLights();
            return true;
        }

    private:
        TableStage& stage_;
        quill::RenderSceneManager& manager_;
    };

    bool LoadAtlas() {
        quill::Package* ui = resources->OpenPackage(u"UIEn", false);
        quill::ResourceFile* game = ui != nullptr ? ui->GetResourceFile(u"Game", true) : nullptr;
        if (game == nullptr) {
            error_ = "no UIEn package with the game atlas";
            return false;
        }
        atlas_.slots[kestrovan::TableHud::kAtlasTexture] = quill::make_shared<SlotTextures::Slot>(game->LoadItemShared(0));
        return true;
    }

    bool LoadScene() {
        quill::Package* maps = resources->OpenPackage(u"data", false);
        quill::ResourceFile* map = maps != nullptr ? maps->GetResourceFile(u"Map0002", true) : nullptr;
        quill::RenderSceneManager& manager = *engine_->GetRenderSceneManager();
        scene = map != nullptr ? manager.CreateScene(map->GetSceneInfoTable()->FindShared(0)) : nullptr;
        if (scene == nullptr || !manager.SelectScene(scene->index)) {
            error_ = "no game room scene Map0002";
            return false;
        }
        cameras = std::make_unique<kestrovan::RenderSceneCameras>(*scene);
        // The screens draw through the room's overview camera until the table's cameras take over.
        return cameras->SelectCamera(0) || (error_ = "the room scene has no camera 0", false);
    }

    std::unique_ptr<quill::Engine> engine_;
    kestrovan::test::HudServices uiServices_;
    SlotTextures atlas_;
    std::unique_ptr<DeviceWidgetRenderer> renderer_;
    std::unique_ptr<kestrovan::WidgetToolkit> toolkit_;
    std::string error_;
};

}  // namespace kvtest
