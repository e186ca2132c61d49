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

#include "platform/system/FpuMode.h"
#include "tests/support/gfx/SdlGlWindow.h"
#include "tests/support/gfx/TableStage.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;
namespace type = quill::game_type;
using quill::Vec3;

constexpr int kWidth = 800, kHeight = 600;

struct Pixel {
    int r, g, b;
};

class TableDrawGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        platform::SetThreadFpuMode();
        stage = std::make_unique<kvtest::TableStage>(factory, KV_DATA_FOLDER, kWidth, kHeight);
        ASSERT_TRUE(stage->Ready()) << stage->Error();
    }

    // The table racked for the game type, seen from behind the near long rail; the frame read back before the
    // present and saved as the screenshot.
    std::vector<uint32_t> DrawTable(quill::GameType gameType, const char* screenshot) {
        EXPECT_TRUE(stage->MakeTable(gameType)) << stage->Error();
        stage->ViewFrom({0.0f, -330.0f, 260.0f}, {0.0f, 0.0f, 0.0f});
        EXPECT_TRUE(stage->DrawFrame());
        const std::vector<uint32_t> frame = ReadBackBuffer();
        stage->device->Present();
        stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / screenshot);
        return frame;
    }

    std::vector<uint32_t> ReadBackBuffer() {
        std::unique_ptr<gfx::Surface> surface;
        EXPECT_EQ(stage->device->GetGfxDevice()->GetBackBuffer(0, surface), gfx::Result::Ok);
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
        stage->scene->GetView().GetViewProjectionMatrix(m);
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

    Vec3 Ball(uint32_t ball) const { return stage->table->Physics().CachedPosition(ball); }

    kvtest::SdlGlWindow window{kWidth, kHeight};
    kvtest::TestEngineFactory factory{[this] { return window.CreateSystem(); }, kWidth, kHeight};
    std::unique_ptr<kvtest::TableStage> stage;
};

TEST_F(TableDrawGlTest, CaromTableWithItsBalls) {
    const std::vector<uint32_t> frame = DrawTable(type::kThreeCushion, "table_carom.png");
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
    const std::vector<uint32_t> frame = DrawTable(type::kEightBall, "table_pocket.png");
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
