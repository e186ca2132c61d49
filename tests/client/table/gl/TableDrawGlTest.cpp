// A game table drawn from the default data through the render tree and the OpenGL device (under Xvfb with
// Mesa's software renderer): the room scene of the game screens, the table of the equipped item with its cloth
// and wood, the balls of the ball set racked by the physics, the cue, the markers and the HUD, for a carom game
// and for a pocket game. Each frame is read back and saved as a screenshot in the build tree, and checked where
// the bed's middle and the balls must show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

#include "QuillLib/gamedata/CuePartCatalogue.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/Texture.h"
#include "client/physics/PhysicsModelCode.h"
#include "client/table/GameTable.h"
#include "client/table/ItemModelCatalogue.h"
#include "client/table/RenderSceneCameras.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/CodePage.h"
#include "platform/system/FpuMode.h"
#include "tests/client/table/TableFakes.h"
#include "tests/support/gfx/CurrentSceneView.h"
#include "tests/support/gfx/DeviceWidgetRenderer.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TestEngineFactory.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;
namespace type = quill::game_type;
using quill::Vec3;

constexpr int kWidth = 800, kHeight = 600;

struct Pixel {
    int r, g, b;
};

// The interface textures by slot, as the pack catalogue hands them out: slot 14 is the game screen's atlas.
class SlotTextures : public WidgetResources {
public:
    class Slot : public WidgetTexture {
    public:
        explicit Slot(quill::SharedPtr<quill::Texture> texture) : texture_(std::move(texture)) {}
        gfx::BaseTexture* GetDeviceTexture() override {
            texture_->Acquire(false);
            return texture_->GetDeviceTexture();
        }

    private:
        quill::SharedPtr<quill::Texture> texture_;
    };

    quill::SharedPtr<WidgetTexture> GetTextureById(int32_t id) override {
        const auto found = slots.find(id);
        return found != slots.end() ? found->second : quill::SharedPtr<WidgetTexture>();
    }
    quill::SharedPtr<SpriteAnimation> GetSpriteAnimationById(int32_t, int32_t) override { return {}; }

    std::map<int32_t, quill::SharedPtr<WidgetTexture>> slots;
};

class TableDrawGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        platform::SetThreadFpuMode();
        ASSERT_TRUE(engine->Initialize());
        device = static_cast<Graphics&>(*engine->GetGraphics()).GetDevice();
        ASSERT_NE(device->GetGfxDevice(), nullptr);
        resources = engine->GetResourceManager();
        resources->SetRootFolder(platform::Utf8ToUtf16(std::filesystem::path(KV_DATA_FOLDER).parent_path().string()));
        resources->SetDataFolder(u"data");
        resources->SetRenderDevice(device);
        catalogue.AddStockModels(quill::TheCuePartCatalogue());

        quill::Package* ui = resources->OpenPackage(u"UIEn", false);
        ASSERT_NE(ui, nullptr);
        quill::ResourceFile* game = ui->GetResourceFile(u"Game", true);
        ASSERT_NE(game, nullptr);
        atlas.slots[TableHud::kAtlasTexture] = quill::make_shared<SlotTextures::Slot>(game->LoadItemShared(0));
        widgetRenderer = std::make_unique<kvtest::DeviceWidgetRenderer>(*device);
        toolkit = std::make_unique<WidgetToolkit>(uiServices, atlas, *widgetRenderer);

        quill::Package* maps = resources->OpenPackage(u"data", false);
        ASSERT_NE(maps, nullptr);
        quill::ResourceFile* map = maps->GetResourceFile(u"Map0002", true);
        ASSERT_NE(map, nullptr);
        scene = engine->GetRenderSceneManager()->CreateScene(map->GetSceneInfoTable()->FindShared(0));
        ASSERT_NE(scene, nullptr);
        ASSERT_TRUE(engine->GetRenderSceneManager()->SelectScene(scene->index));
        cameras = std::make_unique<RenderSceneCameras>(*scene);
        // The screens draw through the room's overview camera until the table's cameras take over.
        ASSERT_TRUE(cameras->SelectCamera(0));
    }

    void TearDown() override {
        table.reset();
        toolkit.reset();
        if (resources != nullptr) {
            resources->Shutdown();
            resources->SetRenderDevice(nullptr);
        }
    }

    // A table of the game type with its default items, racked, its models loaded, seen from behind the near
    // long rail.
    void MakeTable(quill::GameType gameType) {
        host.width = kWidth;
        host.height = kHeight;
        player.chalkId = 4901;
        table = std::make_unique<GameTable>();
        table->SetHost(&host);
        table->SetPlayer(&player);
        table->SetItemModels(&catalogue);
        table->SetGameMode(gameType);
        table->SetEquipmentItems(0, 0);
        table->SetupTable(kDefaultPhysicsModelCode, 1);
        table->SetupCameras(*cameras, 0);
        table->GetCamera().SetScene(cameras.get());
        table->Reset(1234);
        table->RackBalls();
        ASSERT_TRUE(table->LoadModels(*resources, *device, 0));
        table->SetCurrentCue(table->GetCueModel(0, 0xFFFF, 0, 0, 0, 0));
        table->SetControlEnabled(true);
        table->SetState(4);
        table->LayoutHud(kWidth, kHeight);
        table->SetShownPower(0.6f);
        table->UpdatePowerGauge();
        quill::Camera* camera = table->GetCamera().CurrentCamera();
        ASSERT_NE(camera, nullptr);
        // The side vector is up x look, as the engine's cameras keep it.
        camera->SetFrame({0.0f, -330.0f, 260.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 0.0f});
        table->GetCamera().ApplyMode();
    }

    // One frame as a game screen draws it; returns the pixels read back before the present.
    std::vector<uint32_t> DrawFrame(const char* screenshot) {
        quill::RenderSceneManager& manager = *engine->GetRenderSceneManager();
        table->Render3D(true);
        manager.UpdateCurrentScene(1.0f / 60);
        device->clearColor = 0xFF102040;
        kvtest::CurrentSceneView view(manager);
        EXPECT_TRUE(device->BeginFrame());
        EXPECT_TRUE(device->BeginScene());
        EXPECT_TRUE(device->RenderScene(view, 0));
        table->RenderOverlay(*device);
        table->DrawScene(*device, 0);
        EXPECT_TRUE(device->Begin2D());
        table->DrawHud();
        device->EndScene();
        const std::vector<uint32_t> frame = ReadBackBuffer();
        device->Present();
        device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / screenshot);
        return frame;
    }

    std::vector<uint32_t> ReadBackBuffer() {
        std::unique_ptr<gfx::Surface> surface;
        EXPECT_EQ(device->GetGfxDevice()->GetBackBuffer(0, surface), gfx::Result::Ok);
        gfx::LockedRect locked;
        EXPECT_EQ(surface->LockRect(locked, nullptr, gfx::LockFlags::ReadOnly), gfx::Result::Ok);
        std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
        std::memcpy(pixels.data(), locked.bits, pixels.size() * 4);
        surface->UnlockRect();
        return pixels;
    }

    // Where a point of the table lands through the view the scene drew with.
    std::pair<int, int> Project(const Vec3& point) const {
        quill::Matrix4 m;
        scene->GetView().GetViewProjectionMatrix(m);
        const float x = point.x * m.m[0] + point.y * m.m[4] + point.z * m.m[8] + m.m[12];
        const float y = point.x * m.m[1] + point.y * m.m[5] + point.z * m.m[9] + m.m[13];
        const float w = point.x * m.m[3] + point.y * m.m[7] + point.z * m.m[11] + m.m[15];
        return {static_cast<int>((x / w + 1) / 2 * kWidth), static_cast<int>((1 - y / w) / 2 * kHeight)};
    }

    static Pixel At(const std::vector<uint32_t>& pixels, std::pair<int, int> point) {
        const int x = std::clamp(point.first, 0, kWidth - 1), y = std::clamp(point.second, 0, kHeight - 1);
        const uint32_t p = pixels[static_cast<size_t>(y) * kWidth + x];
        return Pixel{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

    Vec3 Ball(uint32_t ball) { return table->Physics().CachedPosition(ball); }

    kvtest::SdlGlWindow window{kWidth, kHeight};
    kvtest::TestEngineFactory factory{[this] { return window.CreateSystem(); }, kWidth, kHeight};
    std::unique_ptr<quill::Engine> engine = factory.CreateEngine();
    D3D9RenderDevice* device = nullptr;
    quill::ResourceManager* resources = nullptr;
    quill::RenderScene* scene = nullptr;
    std::unique_ptr<RenderSceneCameras> cameras;
    ItemModelCatalogue catalogue;
    test::HudServices uiServices;
    SlotTextures atlas;
    std::unique_ptr<kvtest::DeviceWidgetRenderer> widgetRenderer;
    std::unique_ptr<WidgetToolkit> toolkit;
    test::FakeHost host;
    test::FakePlayer player;
    std::unique_ptr<GameTable> table;
};

TEST_F(TableDrawGlTest, CaromTableWithItsBalls) {
    MakeTable(type::kThreeCushion);
    const std::vector<uint32_t> frame = DrawFrame("table_carom.png");
    // Item 1003 wears cloth 1, a blue, in the middle of the bed (beside the cue, which lies along the middle).
    const Pixel bed = At(frame, Project({0, -30, 0}));
    EXPECT_GT(bed.b, bed.r + 40) << bed.r << "," << bed.g << "," << bed.b;
    EXPECT_GT(bed.b, bed.g + 20);
    // Ball set 2004: the white cue ball, the yellow and the red, each where the view puts its centre.
    const Pixel white = At(frame, Project(Ball(0))), yellow = At(frame, Project(Ball(1))), red = At(frame, Project(Ball(2)));
    EXPECT_GT(std::min({white.r, white.g, white.b}), 190) << white.r << "," << white.g << "," << white.b;
    EXPECT_GT(yellow.r, 170);
    EXPECT_GT(yellow.g, 150);
    EXPECT_LT(yellow.b, yellow.g - 30) << yellow.r << "," << yellow.g << "," << yellow.b;
    EXPECT_GT(red.r, red.g + 30) << red.r << "," << red.g << "," << red.b;
    EXPECT_GT(red.r, red.b + 30);
    // The HUD's power bar at 60 % of its 120 pixels, in the power panel at the left edge.
    const Pixel bar = At(frame, {6 + 3 + 6, kHeight - 490 + 180 - 30});
    EXPECT_GT(bar.r, bar.b + 80) << bar.r << "," << bar.g << "," << bar.b;
}

TEST_F(TableDrawGlTest, PocketTableWithItsRack) {
    MakeTable(type::kEightBall);
    const std::vector<uint32_t> frame = DrawFrame("table_pocket.png");
    // Item 1010 wears cloth 5, a green.
    const Pixel bed = At(frame, Project({0, -30, 0}));
    EXPECT_GT(bed.g, bed.r + 20) << bed.r << "," << bed.g << "," << bed.b;
    EXPECT_GT(bed.g, bed.b + 20);
    // Every ball of the rack and the cue ball shows where the view puts it, far brighter than the cloth (the
    // numbered faces show their light number disc or their colour there).
    for (uint32_t i = 0; i < 16; ++i) {
        const Pixel ball = At(frame, Project(Ball(i)));
        EXPECT_GT(ball.r + ball.g + ball.b, bed.r + bed.g + bed.b + 300) << "ball " << i;
    }
    const Pixel cue = At(frame, Project(Ball(0)));
    EXPECT_GT(std::min({cue.r, cue.g, cue.b}), 190);
    // The pocketed-ball strip at the bottom: the first icon is ball 1's yellow.
    const int stripLeft = (kWidth - 395) / 2, stripTop = kHeight - 31;
    const Pixel icon = At(frame, {stripLeft + 16 + 13, stripTop + 3 + 13});
    EXPECT_GT(icon.r, icon.b + 80) << icon.r << "," << icon.g << "," << icon.b;
    EXPECT_GT(icon.g, icon.b + 60);
}

}  // namespace
}  // namespace kestrovan
