// The generated table and balls drawn through the OpenGL device under Xvfb: the carom table with its four
// balls and the pocket table with a racked set, seen through the room scene's overview camera and lit by
// its lights. The frames are saved in the build tree and checked for the cloth at the centre and each
// checked ball's colour at its projected centre.
//
// The render tree does not exist yet, so the test walks the loaded models and draws their mesh parts
// through the device layer itself.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "QuillLib/gamedata/GameTypes.h"
#include "QuillLib/resource/IndexedMeshPart.h"
#include "QuillLib/math/Camera.h"
#include "QuillLib/resource/Material.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceManager.h"
#include "QuillLib/resource/SceneInfo.h"
#include "client/physics/TableGeometry.h"
#include "client/render/D3D9RenderDevice.h"
#include "platform/system/CodePage.h"
#include "tests/support/gfx/SdlGlWindow.h"

namespace {

namespace gfx = platform::gfx;
using kestrovan::D3D9RenderDevice;

constexpr int kWidth = 800, kHeight = 600;

struct Pixel {
    int r, g, b;
};

struct PlacedBall {
    uint32_t face;  // texture of the ball-set file
    float x, y;
};

class TableScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window_.IsOpen()) << window_.Error();
        device_ = std::make_unique<D3D9RenderDevice>(kWidth, kHeight, window_.CreateSystem(), nullptr);
        ASSERT_EQ(device_->Create(), 0u);
        manager_.SetRootFolder(platform::Utf8ToUtf16(std::filesystem::path(KV_DATA_FOLDER).parent_path().string()));
        manager_.SetDataFolder(u"data");
        manager_.SetRenderDevice(device_.get());
    }
    void TearDown() override {
        manager_.Shutdown();
        manager_.SetRenderDevice(nullptr);
    }

    quill::ResourceFile* Load(const char* package, const char* file) {
        quill::Package* opened = manager_.OpenPackage(platform::Utf8ToUtf16(package), false);
        return opened ? opened->GetResourceFile(platform::Utf8ToUtf16(file), true) : nullptr;
    }

    // Draws every mesh part of the node and its children with the part's base texture.
    void DrawNode(const quill::ModelObject& node, const quill::Matrix4& world) {
        ASSERT_TRUE(device_->SetWorld(&world));
        if (quill::Mesh* mesh = node.GetAttachment()) {
            for (const auto& part : mesh->parts) {
                const auto* indexed = dynamic_cast<const quill::IndexedMeshPart*>(part.get());
                ASSERT_NE(indexed, nullptr);
                const auto texture = part->material->GetSlotTexture(0);
                ASSERT_NE(texture, nullptr);
                ASSERT_TRUE(texture->Bind(0));
                const std::vector<uint16_t>& indices = indexed->GetIndices().indices;
                quill::IndexChunk chunk{indices, 0, static_cast<uint16_t>(mesh->vertices->VertexCount() - 1)};
                EXPECT_GT(device_->DrawIndexedTriangles(*mesh->vertices, chunk), 0u);
            }
        }
        for (const auto& child : node.Children()) {
            DrawNode(*child, world);
        }
    }

    // The table, then the balls on it, through camera 0 of the room scene; returns the frame's pixels.
    std::vector<uint32_t> DrawTable(const char* tableFile, const char* ballFile, uint32_t ballSet,
                                    const std::vector<PlacedBall>& balls, const char* screenshot) {
        quill::ResourceFile* table = Load("Tables", tableFile);
        quill::ResourceFile* ballSetFile = Load("BillObject", ballFile);
        quill::ResourceFile* map = Load("data", "Map0002");
        EXPECT_TRUE(table && ballSetFile && map);
        if (!table || !ballSetFile || !map) {
            return {};
        }
        const auto scene = map->GetSceneInfoTable()->FindShared(0);
        camera_ = scene->cameras.Find(0);

        device_->clearColor = 0xFF202020;
        EXPECT_TRUE(device_->BeginFrame());
        EXPECT_TRUE(device_->BeginScene());
        const float ambient[4] = {0.45f, 0.45f, 0.45f, 1.0f};
        EXPECT_TRUE(device_->Begin3D(kestrovan::SceneEnvironment{ambient, nullptr, camera_.get()}));
        uint32_t lightId = 0;
        for (const auto& [id, light] : scene->directLights.Entries()) {
            const quill::LightRecord& record = light->record;
            EXPECT_TRUE(device_->AddDirectionalLight(kestrovan::DirectionalLightDesc{
                lightId++, record.color[0], record.color[1], record.color[2], record.intensity, record.diffuseOn,
                record.specularOn, record.vector.x, record.vector.y, record.vector.z}));
        }
        EXPECT_TRUE(device_->EnableLights(true, true, true));
        EXPECT_TRUE(device_->SetCullMode(0));
        EXPECT_TRUE(device_->GetBufferPool().SelectDynamicVertexBuffer(0x103, 0));
        EXPECT_TRUE(device_->GetBufferPool().SelectDynamicIndexBuffer(0));
        EXPECT_TRUE(device_->SetVertexFormat(0x103));

        DrawNode(*table->GetModelTable()->FindShared(0), quill::Matrix4{});
        const float radius = quill::GetBallRadius(ballSet);
        const auto ballModel = ballSetFile->GetModelTable()->FindShared(ballSet);
        for (const PlacedBall& ball : balls) {
            // Each ball wears its own face: the model's material takes the ball's texture.
            quill::Mesh* mesh = ballModel->GetAttachment();
            mesh->parts[0]->material->SetStageTexture(0, ballSetFile->GetTextureTable()->FindShared(ball.face));
            quill::Matrix4 world;
            world.m[12] = ball.x;
            world.m[13] = ball.y;
            world.m[14] = radius;
            DrawNode(*ballModel, world);
        }
        device_->EndScene();
        const std::vector<uint32_t> frame = ReadBackBuffer();
        device_->Present();
        device_->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / screenshot);
        return frame;
    }

    std::vector<uint32_t> ReadBackBuffer() {
        std::unique_ptr<gfx::Surface> surface;
        EXPECT_EQ(device_->GetGfxDevice()->GetBackBuffer(0, surface), gfx::Result::Ok);
        gfx::LockedRect locked;
        EXPECT_EQ(surface->LockRect(locked, nullptr, gfx::LockFlags::ReadOnly), gfx::Result::Ok);
        std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
        std::memcpy(pixels.data(), locked.bits, pixels.size() * 4);
        surface->UnlockRect();
        return pixels;
    }

    static Pixel At(const std::vector<uint32_t>& pixels, int x, int y) {
        const uint32_t p = pixels[static_cast<size_t>(y) * kWidth + x];
        return Pixel{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

    // Where a point of the table lands on the screen through the scene camera.
    Pixel ProjectedCentreOf(const std::vector<uint32_t>& pixels, float x, float y, float z) {
        quill::Matrix4 viewProjection;
        camera_->GetViewProjectionMatrix(viewProjection);
        const float* m = viewProjection.m;
        const float cx = x * m[0] + y * m[4] + z * m[8] + m[12];
        const float cy = x * m[1] + y * m[5] + z * m[9] + m[13];
        const float w = x * m[3] + y * m[7] + z * m[11] + m[15];
        const int sx = static_cast<int>((cx / w + 1.0f) * 0.5f * kWidth);
        const int sy = static_cast<int>((1.0f - cy / w) * 0.5f * kHeight);
        EXPECT_TRUE(sx >= 0 && sx < kWidth && sy >= 0 && sy < kHeight) << sx << ", " << sy;
        return At(pixels, std::clamp(sx, 0, kWidth - 1), std::clamp(sy, 0, kHeight - 1));
    }

    kvtest::SdlGlWindow window_{kWidth, kHeight};
    std::unique_ptr<D3D9RenderDevice> device_;
    quill::ResourceManager manager_;
    quill::SharedPtr<quill::Camera> camera_;
};

TEST_F(TableScreenshotTest, CaromTableWithItsFourBalls) {
    // White, yellow and the two reds (ball set 3, the three-cushion balls).
    const std::vector<PlacedBall> balls{{0, -60.0f, 20.0f}, {1, -60.0f, -20.0f}, {2, 60.0f, 0.0f}, {3, 30.0f, 30.0f}};
    const std::vector<uint32_t> frame = DrawTable("caromtable", "ballc0", 3, balls, "mkdata_carom_table.png");
    ASSERT_FALSE(frame.empty());
    // The blue cloth at the centre of the picture.
    const Pixel cloth = At(frame, kWidth / 2, kHeight / 2);
    EXPECT_GT(cloth.b, cloth.r + 40);
    EXPECT_GT(cloth.b, cloth.g + 20);
    // The red ball and the yellow ball, each at its projected centre.
    const float radius = quill::GetBallRadius(3);
    const Pixel red = ProjectedCentreOf(frame, 60.0f, 0.0f, radius);
    EXPECT_GT(red.r, red.g + 60);
    EXPECT_GT(red.r, red.b + 60);
    const Pixel yellow = ProjectedCentreOf(frame, -60.0f, -20.0f, radius);
    EXPECT_GT(yellow.r, yellow.b + 60);
    EXPECT_GT(yellow.g, yellow.b + 60);
}

// The large carom table of the three-cushion games (the 3C-pro table's) wears a blue cloth like the others, not a
// flat grey.
TEST_F(TableScreenshotTest, LargeCaromTableWearsABlueCloth) {
    const std::vector<uint32_t> frame =
        DrawTable("caromtableL", "ballc0", 3, {{0, -60.0f, 20.0f}}, "mkdata_carom_large_table.png");
    ASSERT_FALSE(frame.empty());
    const Pixel cloth = At(frame, kWidth / 2, kHeight / 2);
    EXPECT_GT(cloth.b, cloth.r + 40) << "see mkdata_carom_large_table.png";
    EXPECT_GT(cloth.b, cloth.g + 20) << "see mkdata_carom_large_table.png";
}

TEST_F(TableScreenshotTest, PocketTableWithARackOfBalls) {
    // A rack of fifteen at the foot spot, the cue ball at the head string (pool balls, ball set 2).
    const float radius = quill::GetBallRadius(2);
    std::vector<PlacedBall> balls{{0, -63.75f, 0.0f}};
    uint32_t face = 1;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column <= row; ++column) {
            const float x = 63.75f + static_cast<float>(row) * radius * 1.7320508f;
            const float y = (static_cast<float>(column) - static_cast<float>(row) * 0.5f) * radius * 2.0f;
            balls.push_back({face++, x, y});
        }
    }
    const std::vector<uint32_t> frame = DrawTable("pockettable", "ballp0", 2, balls, "mkdata_pocket_table.png");
    ASSERT_FALSE(frame.empty());
    const Pixel cloth = At(frame, kWidth / 2, kHeight / 2);
    EXPECT_GT(cloth.g, cloth.r + 30);
    EXPECT_GT(cloth.g, cloth.b + 10);
    // The yellow 1-ball at the rack's apex.
    const Pixel one = ProjectedCentreOf(frame, 63.75f, 0.0f, radius);
    EXPECT_GT(one.r, one.b + 60);
    EXPECT_GT(one.g, one.b + 50);
    // The white cue ball.
    const Pixel cue = ProjectedCentreOf(frame, -63.75f, 0.0f, radius);
    EXPECT_GT(cue.r, 150);
    EXPECT_GT(cue.g, 150);
    EXPECT_GT(cue.b, 140);
}

// The cue seen from straight behind its butt, as the zoom view shows it large: the butt's outline is a circle,
// not a polygon, and its flat cap is evenly lit, with no facets meeting in a point.
TEST_F(TableScreenshotTest, CueButtIsRoundAndItsCapFlat) {
    quill::ResourceFile* cues = Load("Cues", "cue0");
    ASSERT_NE(cues, nullptr);
    auto camera = quill::make_shared<quill::Camera>();
    const quill::Vec3 eye{151.0f, 0.0f, 0.0f}, target{145.0f, 0.0f, 0.0f}, up{0.0f, 0.0f, 1.0f};
    // The side vector is up x look.
    camera->SetFrame(eye, target, up, {0.0f, -1.0f, 0.0f});
    camera->SetProjection(0.0f, 0.0f, 0.7854f, static_cast<float>(kHeight) / kWidth, 0.5f, 100.0f);
    camera_ = camera;

    device_->clearColor = 0xFFFF00FF;
    ASSERT_TRUE(device_->BeginFrame());
    ASSERT_TRUE(device_->BeginScene());
    const float ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    ASSERT_TRUE(device_->Begin3D(kestrovan::SceneEnvironment{ambient, nullptr, camera_.get()}));
    ASSERT_TRUE(device_->AddDirectionalLight(kestrovan::DirectionalLightDesc{0, 1, 1, 1, 1, 1, 1, -0.3f, 0.2f, -0.9f}));
    ASSERT_TRUE(device_->EnableLights(true, true, true));
    ASSERT_TRUE(device_->SetCullMode(0));
    ASSERT_TRUE(device_->GetBufferPool().SelectDynamicVertexBuffer(0x103, 0));
    ASSERT_TRUE(device_->GetBufferPool().SelectDynamicIndexBuffer(0));
    ASSERT_TRUE(device_->SetVertexFormat(0x103));
    DrawNode(*cues->GetModelTable()->FindShared(0), quill::Matrix4{});
    device_->EndScene();
    const std::vector<uint32_t> frame = ReadBackBuffer();
    device_->Present();
    device_->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "mkdata_cue_butt.png");

    const auto isBackground = [&](int x, int y) {
        const Pixel p = At(frame, std::clamp(x, 0, kWidth - 1), std::clamp(y, 0, kHeight - 1));
        return p.r > 200 && p.b > 200 && p.g < 60;
    };
    const int cx = kWidth / 2, cy = kHeight / 2;
    float shortest = 1e9f, longest = 0.0f;
    for (int step = 0; step < 120; ++step) {
        const float angle = static_cast<float>(step) * 6.2831853f / 120.0f;
        float r = 10.0f;
        while (r < 400.0f && !isBackground(cx + static_cast<int>(std::lround(r * std::cos(angle))),
                                           cy + static_cast<int>(std::lround(r * std::sin(angle))))) {
            r += 0.25f;
        }
        shortest = std::min(shortest, r);
        longest = std::max(longest, r);
    }
    ASSERT_GT(shortest, 100.0f) << "the butt fills the middle of the frame";
    EXPECT_LT(longest / shortest, 1.012f) << shortest << " to " << longest << ": see mkdata_cue_butt.png";
    // The cap, well inside the outline: one flat face under one light.
    int darkest = 255 * 3, brightest = 0;
    for (int step = 0; step < 36; ++step) {
        const float angle = static_cast<float>(step) * 6.2831853f / 36.0f;
        for (float part : {0.0f, 0.3f, 0.6f}) {
            const Pixel p = At(frame, cx + static_cast<int>(part * shortest * std::cos(angle)),
                               cy + static_cast<int>(part * shortest * std::sin(angle)));
            darkest = std::min(darkest, p.r + p.g + p.b);
            brightest = std::max(brightest, p.r + p.g + p.b);
        }
    }
    EXPECT_LT(brightest - darkest, 45) << "the cap's shading varies: see mkdata_cue_butt.png";
}

}  // namespace
