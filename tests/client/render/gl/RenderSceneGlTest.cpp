// A 3D scene drawn through the render-scene manager with OpenGL (under Xvfb with Mesa's software renderer):
// a table-sized box with a cloth texture, three coloured balls on it and a light, seen from above the table.
// The frame is read back and checked where the table, each ball and the background must show; it is also
// saved as a screenshot in the build tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "tests/support/gfx/CurrentSceneView.h"
#include "tests/support/gfx/SceneModels.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TestEngineFactory.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;
using quill::SharedPtr;
using quill::Vec3;

constexpr int kSceneWidth = 640, kSceneHeight = 480;
constexpr float kTableTop = 4.0f;
constexpr float kBallRadius = 6.0f;

struct ScenePixel {
    int r, g, b;
};

class RenderSceneGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        ASSERT_TRUE(engine->Initialize());
        device = static_cast<Graphics&>(*engine->GetGraphics()).GetDevice();
        ASSERT_NE(device->GetGfxDevice(), nullptr);
    }

    // The table, the balls at their places, a light from above and a camera over the near cushion.
    SharedPtr<quill::SceneInfo> TableScene() {
        auto info = quill::make_shared<quill::SceneInfo>(u"table", std::array<float, 4>{0.35f, 0.35f, 0.35f, 1.0f});
        cloth = kvtest::MakeSolidTexture(device, 16, 16, 0xFF1E8C3C);
        auto clothMaterial = kvtest::MakeMaterial(0x1, 0, 0, 1, {{0, cloth}});
        kvtest::Place(*info, kvtest::MakeFrame(kvtest::MakeBoxMesh(clothMaterial, 280, 2 * kTableTop, 140)), Vec3{});
        auto ballMaterial = kvtest::MakeMaterial(0, 0, 0, 1);
        const uint32_t colours[3] = {0xFFF0F0F0, 0xFFF0D020, 0xFFD02020};
        for (int i = 0; i < 3; ++i) {
            auto frame = kvtest::MakeFrame(kvtest::MakeSphereMesh(ballMaterial, kBallRadius, colours[i]));
            kvtest::Place(*info, frame, balls[i]);
        }
        kvtest::AddLight(*info, Vec3{0.2f, -1.0f, 0.3f});
        kvtest::LookAt(*info, Vec3{0, 260, -220}, Vec3{0, 0, 0}, static_cast<float>(kSceneHeight) / kSceneWidth);
        return info;
    }

    std::vector<uint32_t> ReadBackBuffer() {
        std::unique_ptr<gfx::Surface> surface;
        EXPECT_EQ(device->GetGfxDevice()->GetBackBuffer(0, surface), gfx::Result::Ok);
        gfx::LockedRect locked;
        EXPECT_EQ(surface->LockRect(locked, nullptr, gfx::LockFlags::ReadOnly), gfx::Result::Ok);
        std::vector<uint32_t> pixels(static_cast<size_t>(kSceneWidth) * kSceneHeight);
        std::memcpy(pixels.data(), locked.bits, pixels.size() * 4);
        surface->UnlockRect();
        return pixels;
    }

    // Where a point of the world lands on the screen through the scene's view.
    static ScenePixel At(const std::vector<uint32_t>& pixels, const quill::Camera& view, const Vec3& point) {
        quill::Matrix4 m;
        view.GetViewProjectionMatrix(m);
        const float x = point.x * m.m[0] + point.y * m.m[4] + point.z * m.m[8] + m.m[12];
        const float y = point.x * m.m[1] + point.y * m.m[5] + point.z * m.m[9] + m.m[13];
        const float w = point.x * m.m[3] + point.y * m.m[7] + point.z * m.m[11] + m.m[15];
        const int sx = static_cast<int>((x / w + 1) / 2 * kSceneWidth), sy = static_cast<int>((1 - y / w) / 2 * kSceneHeight);
        EXPECT_TRUE(sx >= 0 && sx < kSceneWidth && sy >= 0 && sy < kSceneHeight) << sx << ", " << sy;
        const uint32_t p = pixels[static_cast<size_t>(std::clamp(sy, 0, kSceneHeight - 1)) * kSceneWidth + std::clamp(sx, 0, kSceneWidth - 1)];
        return ScenePixel{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

    const Vec3 balls[3] = {{-60, kTableTop + kBallRadius, 0}, {0, kTableTop + kBallRadius, 25}, {60, kTableTop + kBallRadius, -25}};
    kvtest::SdlGlWindow window{kSceneWidth, kSceneHeight};
    kvtest::TestEngineFactory factory{[this] { return window.CreateSystem(); }, kSceneWidth, kSceneHeight};
    std::unique_ptr<quill::Engine> engine = factory.CreateEngine();
    D3D9RenderDevice* device = nullptr;
    SharedPtr<quill::Texture> cloth;
};

TEST_F(RenderSceneGlTest, ATableWithBallsAndALightDrawsWhereTheViewPutsThem) {
    quill::RenderSceneManager& manager = *engine->GetRenderSceneManager();
    quill::RenderScene* scene = manager.CreateScene(TableScene());
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(manager.SelectScene(scene->index));
    manager.UpdateCurrentScene(1.0f / 60);

    device->clearColor = 0xFF102040;
    kvtest::CurrentSceneView view(manager);
    ASSERT_TRUE(device->BeginFrame());
    ASSERT_TRUE(device->BeginScene());
    ASSERT_TRUE(device->RenderScene(view, 0));
    device->EndScene();
    const std::vector<uint32_t> frame = ReadBackBuffer();
    device->Present();
    device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "render_scene.png");

    EXPECT_EQ(scene->lastStats[quill::RenderStats::kBatches], 2u) << "the textured table and the untextured balls";
    EXPECT_EQ(scene->lastStats[quill::RenderStats::kFaceSets], 4u);
    const quill::Camera& camera = scene->GetView();
    const ScenePixel beyond = At(frame, camera, Vec3{0, 0, 150});
    EXPECT_NEAR(beyond.r, 0x10, 2) << "behind the table: the clear colour";
    EXPECT_NEAR(beyond.b, 0x40, 2);
    for (const Vec3& cloth : {Vec3{-100, kTableTop, 40}, Vec3{100, kTableTop, -40}, Vec3{0, kTableTop, -50}}) {
        const ScenePixel table = At(frame, camera, cloth);
        EXPECT_GT(table.g, table.r + 40) << "cloth green";
        EXPECT_GT(table.g, table.b + 20);
    }
    const ScenePixel white = At(frame, camera, balls[0]), yellow = At(frame, camera, balls[1]), red = At(frame, camera, balls[2]);
    EXPECT_GT(white.r, 150);
    EXPECT_GT(white.g, 150);
    EXPECT_GT(white.b, 150);
    EXPECT_GT(yellow.r, 150);
    EXPECT_GT(yellow.g, 110);
    EXPECT_LT(yellow.b, yellow.g - 60);
    EXPECT_GT(red.r, 130);
    EXPECT_LT(red.g, 80);
    EXPECT_LT(red.b, 80);
}

}  // namespace
}  // namespace kestrovan
