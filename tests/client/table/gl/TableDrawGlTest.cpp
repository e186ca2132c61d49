// A game table drawn from the default data through the render tree and the OpenGL device (under Xvfb with
// Mesa's software renderer): the room scene of the game screens, the table of the equipped item with its cloth
// and wood, the balls of the ball set racked by the physics, the cue, the markers and the HUD, for a carom game
// and for a pocket game, lit as the screens light it. Each frame is read back and saved as a screenshot in the
// build tree, and checked where the bed's middle and the balls must show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "client/physics/PocketGeometry.h"
#include "client/rules/TablePhysics.h"
#include "client/table/TableCameraRig.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableModels.h"
#include "client/table/TableRack.h"
#include "client/table/TableTrails.h"
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

    // The table racked for the game type, seen from behind the near long rail and lit as the screens light it;
    // the frame read back before the present and saved as the screenshot.
    std::vector<uint32_t> DrawTable(quill::GameType gameType, const char* screenshot) {
        EXPECT_TRUE(stage->MakeTable(gameType)) << stage->Error();
        stage->ViewFrom({0.0f, -330.0f, 260.0f}, {0.0f, 0.0f, 0.0f});
        EXPECT_TRUE(stage->DrawFrameLitFromAbove());
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

    // A frame lit from above as the screens light the table, seen from eye towards target; saved as screenshot.
    std::vector<uint32_t> DrawLit(const Vec3& eye, const Vec3& target, const char* screenshot) {
        stage->ViewFrom(eye, target);
        EXPECT_TRUE(stage->DrawFrameLitFromAbove());
        std::vector<uint32_t> frame = ReadBackBuffer();
        stage->device->Present();
        stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / screenshot);
        return frame;
    }

    const TableGeometry& Geometry() const { return stage->table->Physics().Model()->Geometry(); }

    static int Brightness(const Pixel& p) { return p.r + p.g + p.b; }
    static bool IsCloth(const Pixel& p) { return p.g > p.r + 20 && p.g > p.b + 10; }

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
    // Every ball of the rack and the cue ball shows where the view puts it, apart from the cloth's colour (the
    // numbered faces show their light number disc or their own colour there), but for the two green balls,
    // whose colour is the cloth's.
    for (uint32_t i = 0; i < 16; ++i) {
        if (i == 6 || i == 14) continue;
        const Pixel ball = At(frame, Project(Ball(i)));
        EXPECT_GT(std::abs(ball.r - bed.r) + std::abs(ball.g - bed.g) + std::abs(ball.b - bed.b), 60) << "ball " << i;
    }
    const Pixel cue = At(frame, Project(Ball(0)));
    EXPECT_GT(std::min({cue.r, cue.g, cue.b}), 190);
    // The pocketed-ball strip at the bottom: the first icon is ball 1's yellow.
    const int stripLeft = (kWidth - 395) / 2, stripTop = kHeight - 31;
    const Pixel icon = At(frame, {stripLeft + 16 + 13, stripTop + 3 + 13});
    EXPECT_GT(icon.r, icon.b + 80) << icon.r << "," << icon.g << "," << icon.b;
    EXPECT_GT(icon.g, icon.b + 60);
    // Nothing covers the icons' upper half: every icon shows its colour near its top too, not the slate of
    // another picture of the atlas.
    for (int i = 0; i < 15; ++i) {
        const Pixel upper = At(frame, {stripLeft + 16 + 26 * i + 13, stripTop + 3 + 5});
        const int spread = std::max({upper.r, upper.g, upper.b}) - std::min({upper.r, upper.g, upper.b});
        EXPECT_TRUE(spread > 60 || std::max({upper.r, upper.g, upper.b}) < 40) << "icon " << i << ": " << upper.r << ","
                                                                               << upper.g << "," << upper.b;
    }
}


// Seen from above, a pocket is a round dark hole: no cushion hangs into it as a green wedge, and around it
// lies cloth or the leather capping the rail everywhere, with no slit through which the floor shows.
TEST_F(TableDrawGlTest, PocketsAreRoundHolesWithClothAndLeatherAround) {
    ASSERT_TRUE(stage->MakeTable(type::kEightBall)) << stage->Error();
    const PocketGeometry pockets(Geometry());
    for (uint8_t pocket : {1, 2}) {
        SCOPED_TRACE("pocket " + std::to_string(pocket));
        float x = 0.0f, y = 0.0f;
        pockets.HoleCentre(pocket, &x, &y);
        const float radius = pockets.HoleRadius(pocket);
        const std::string screenshot = "table_pocket" + std::to_string(pocket) + "_above.png";
        const std::vector<uint32_t> frame = DrawLit({x + 0.5f, y + 12.0f, 75.0f}, {x, y, 0.0f}, screenshot.c_str());
        int wedges = 0, gaps = 0;
        for (int step = 0; step < 360; ++step) {
            const float angle = static_cast<float>(step) * 3.14159265f / 180.0f;
            const Pixel inside = At(frame, Project({x + 0.8f * radius * std::cos(angle), y + 0.8f * radius * std::sin(angle), 0}));
            wedges += Brightness(inside) > 150 ? 1 : 0;
            // Just outside the hole: cloth, or the dark leather capping the rail (the floor's brown beneath is
            // lighter and less red, the empty background blue).
            const float out = radius * 1.25f;
            const Pixel around = At(frame, Project({x + out * std::cos(angle), y + out * std::sin(angle),
                                                    Geometry().cushionTopHeight}));
            const bool leather = around.r > around.g && around.g > around.b && around.r < 90 && around.r > 2 * around.b;
            const bool gap = !IsCloth(around) && !leather;
            if (gap && gaps < 5) ADD_FAILURE() << step << ": " << around.r << "," << around.g << "," << around.b;
            gaps += gap ? 1 : 0;
        }
        EXPECT_EQ(wedges, 0) << "lit pixels inside the hole: see " << screenshot;
        EXPECT_EQ(gaps, 0) << "neither cloth nor rail around the hole: see " << screenshot;
    }
}

// Looking across the table at the far long cushion, its nose stands out from the cloth in front of it as a step
// of shade, the overhead light falling full on the bed and slanting on the cushion's rounded face, but it stays
// cloth: no near-black bar.
TEST_F(TableDrawGlTest, CushionNoseShowsAgainstTheBed) {
    ASSERT_TRUE(stage->MakeTable(type::kThreeCushion)) << stage->Error();
    const TableGeometry& g = Geometry();
    const std::vector<uint32_t> frame =
        DrawLit({30.0f, g.noseMaxY - 45.0f, 12.0f}, {30.0f, g.noseMaxY, 2.0f}, "table_cushion.png");
    const Pixel bed = At(frame, Project({30.0f, g.noseMaxY - 12.0f, 0.0f}));
    const Pixel nose = At(frame, Project({30.0f, g.noseMaxY + 0.3f, g.cushionNoseHeight * 0.5f}));
    const std::string seen = "bed " + std::to_string(bed.r) + "," + std::to_string(bed.g) + "," + std::to_string(bed.b) +
                             " nose " + std::to_string(nose.r) + "," + std::to_string(nose.g) + "," + std::to_string(nose.b);
    EXPECT_LT(Brightness(nose) * 5, Brightness(bed) * 4) << seen;
    EXPECT_GT(Brightness(nose) * 5, Brightness(bed) * 2) << seen;
}

// Down the pocket table as the offline screen looks at it: the far cushion is cloth up to its jaws, its nose a
// step darker than the bed in front of it but no near-black bar; at the middle pocket the cloth rolls over the
// hole's edge between the jaws, where the liner's welt showed as a dark curl.
TEST_F(TableDrawGlTest, PocketTableSeenDownItsLengthIsClothUpToTheJaws) {
    ASSERT_TRUE(stage->MakeTable(type::kEightBall)) << stage->Error();
    const TableGeometry& g = Geometry();
    const std::vector<uint32_t> frame =
        DrawLit({g.noseMinX - 90.0f, 0.0f, 110.0f}, {40.0f, 0.0f, 0.0f}, "table_down_the_length.png");
    for (float y = g.noseMinY + g.pocketJaw1 + 1.0f; y < g.noseMaxY - g.pocketJaw1; y += 6.0f) {
        const Pixel bed = At(frame, Project({g.noseMaxX - 10.0f, y, 0.0f}));
        const Pixel nose = At(frame, Project({g.noseMaxX + 0.3f, y, g.cushionNoseHeight * 0.5f}));
        EXPECT_TRUE(IsCloth(nose)) << y << ": " << nose.r << "," << nose.g << "," << nose.b;
        EXPECT_GT(Brightness(nose) * 2, Brightness(bed)) << y << ": bed " << Brightness(bed) << ", nose "
                                                         << Brightness(nose) << ": see table_down_the_length.png";
    }
    const PocketGeometry pockets(g);
    for (uint8_t pocket : {2, 5}) {
        float x = 0.0f, y = 0.0f;
        pockets.HoleCentre(pocket, &x, &y);
        const float radius = pockets.HoleRadius(pocket);
        // The hole's edge on the side facing the eye, where it lies in the mouth between the jaws.
        for (int step = -60; step <= 60; step += 10) {
            const float angle = static_cast<float>(step) * 3.14159265f / 180.0f;
            const Vec3 rim{x + radius * std::cos(angle), y + radius * std::sin(angle), -0.3f};
            if (std::fabs(rim.y) > g.cushionBackMaxY - 0.5f) continue;  // under the rail
            const Pixel edge = At(frame, Project(rim));
            EXPECT_TRUE(IsCloth(edge)) << "pocket " << int{pocket} << " at " << step << " degrees: " << edge.r << ","
                                       << edge.g << "," << edge.b << ": see table_down_the_length.png";
        }
    }
}

// From high above the middle, as the overview looks, the rails keep the colour of their wood: the overhead
// light does not mirror off them as a white sheet.
TEST_F(TableDrawGlTest, RailsStayWoodenSeenFromAbove) {
    ASSERT_TRUE(stage->MakeTable(type::kEightBall)) << stage->Error();
    const TableGeometry& g = Geometry();
    const std::vector<uint32_t> frame = DrawLit({0.0f, -60.0f, 420.0f}, {0.0f, 0.0f, 0.0f}, "table_overhead.png");
    const float railY = (g.cushionBackMaxY + g.frameMaxY) * 0.5f;
    const float railX = (g.cushionBackMaxX + g.frameMaxX) * 0.5f;
    for (const Vec3& point : {Vec3{-40.0f, -railY, g.cushionTopHeight}, Vec3{30.0f, -railY + 1.5f, g.cushionTopHeight},
                              Vec3{60.0f, railY, g.cushionTopHeight}, Vec3{railX, 30.0f, g.cushionTopHeight},
                              Vec3{-railX, -20.0f, g.cushionTopHeight}}) {
        const Pixel rail = At(frame, Project(point));
        EXPECT_LT(std::min({rail.r, rail.g, rail.b}), 150) << point.x << "," << point.y << ": " << rail.r << ","
                                                          << rail.g << "," << rail.b;
        EXPECT_GT(rail.r, rail.b + 25);
    }
}

// In the zoom view, close behind the cue ball and low, the ball is a shaded sphere: its top lit by the lamp,
// its lower side in the shade.
TEST_F(TableDrawGlTest, CueBallIsShadedUpClose) {
    ASSERT_TRUE(stage->MakeTable(type::kEightBall)) << stage->Error();
    const Vec3 ball = Ball(0);
    const float radius = stage->table->Physics().BallRadius();
    const std::vector<uint32_t> frame =
        DrawLit({ball.x - 22.0f, ball.y, ball.z + 4.0f}, ball, "table_cue_ball_zoom.png");
    const Pixel top = At(frame, Project({ball.x - radius * 0.3f, ball.y, ball.z + radius * 0.85f}));
    const Pixel low = At(frame, Project({ball.x - radius * 0.6f, ball.y, ball.z - radius * 0.7f}));
    EXPECT_GT(Brightness(top), Brightness(low) + 150) << "top " << top.r << "," << top.g << "," << top.b << " low "
                                                      << low.r << "," << low.g << "," << low.b;
}

// A number on a ball reads the right way round: ball 1's "1" is the right-hand upright of a seven-segment
// digit, so seen face on, upright, its ink lies right of the spot's middle. The ball is turned to its rest
// pose, which puts one of its two number spots on its side towards +y; the eye looks at that spot level.
TEST_F(TableDrawGlTest, BallNumbersAreNotMirrored) {
    ASSERT_TRUE(stage->MakeTable(type::kEightBall)) << stage->Error();
    stage->table->Physics().SetBallOrientation(1, 0.0f, 0.0f, 0.0f, 1.0f);
    const Vec3 ball = Ball(1);
    const float radius = stage->table->Physics().BallRadius();
    quill::Camera* camera = stage->table->Cameras().GetCamera().CurrentCamera();
    ASSERT_NE(camera, nullptr);
    // The side vector is up x look; the look is -y.
    camera->SetFrame({ball.x, ball.y + 6.0f * radius, ball.z}, ball, {0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f});
    stage->table->Cameras().GetCamera().ApplyMode();
    ASSERT_TRUE(stage->DrawFrame());
    const std::vector<uint32_t> frame = ReadBackBuffer();
    stage->device->Present();
    stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "table_ball_number.png");

    // The digit's ink: far darker than the ivory of the spot around it (its brightest), a quarter radius
    // either side.
    const auto [cx, cy] = Project(ball);
    const int reach = std::max(4, std::abs(Project({ball.x + radius * 0.25f, ball.y, ball.z}).first - cx));
    int ivory = 0;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) ivory = std::max(ivory, Brightness(At(frame, {x, y})));
    }
    int left = 0, right = 0;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            if (x == cx || Brightness(At(frame, {x, y})) * 5 >= ivory * 3) continue;
            (x < cx ? left : right) += 1;
        }
    }
    EXPECT_GT(right, 10) << "the number's ink: see table_ball_number.png";
    EXPECT_LT(left * 4, right) << "ink left " << left << ", right " << right << ": see table_ball_number.png";
}

// Switching the table from a pocket game to a carom game, as the offline screen does when another type is
// chosen, leaves nothing of the pocket game: no pocketed-ball strip and no trail of its balls.
TEST_F(TableDrawGlTest, SwitchingToCaromDropsTheStripAndThePocketGamesTrails) {
    ASSERT_TRUE(stage->MakeTable(type::kEightBall)) << stage->Error();
    kestrovan::GameTable& table = *stage->table;
    table.Trails().SetTrailsShown(true);
    constexpr uint32_t kMagenta = 0xFFFF00FF;
    for (uint32_t ball : {9u, 12u}) {
        for (int step = 0; step <= 40; ++step) {
            table.Trails().BallTrail(ball).AddPoint(
                {-100.0f + 5.0f * static_cast<float>(step), ball == 9 ? -20.0f : 20.0f, 0.5f}, kMagenta);
        }
    }
    const auto magentaAlongTrails = [&](const std::vector<uint32_t>& frame) {
        int count = 0;
        for (float y : {-20.0f, 20.0f}) {
            for (int step = 0; step < 40; ++step) {
                const auto [px, py] = Project({-97.5f + 5.0f * static_cast<float>(step), y, 0.5f});
                for (int dy = -1; dy <= 1; ++dy) {
                    const Pixel p = At(frame, {px, py + dy});
                    count += p.r > 180 && p.b > 180 && p.g < 120 ? 1 : 0;
                }
            }
        }
        return count;
    };
    stage->ViewFrom({0.0f, -330.0f, 260.0f}, {0.0f, 0.0f, 0.0f});
    ASSERT_TRUE(stage->DrawFrame());
    const std::vector<uint32_t> pocketFrame = ReadBackBuffer();
    stage->device->Present();
    ASSERT_GT(magentaAlongTrails(pocketFrame), 20) << "the trails show in the pocket game";

    // The offline screen's reload: mode, equipment, models, physics and rack, without a reset.
    table.Equipment().SetGameMode(type::kThreeCushion);
    table.Equipment().SetEquipmentItems(0, 0);
    ASSERT_TRUE(table.Models().LoadModels(*stage->resources, *stage->device, 0));
    table.Models().SetupTable(kestrovan::kDefaultPhysicsModelCode, 0);
    table.Rack().RackBalls();
    ASSERT_TRUE(stage->DrawFrame());
    const std::vector<uint32_t> frame = ReadBackBuffer();
    stage->device->Present();
    stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "table_switched_to_carom.png");
    EXPECT_EQ(magentaAlongTrails(frame), 0) << "see table_switched_to_carom.png";
    const int stripLeft = (kWidth - 395) / 2, stripTop = kHeight - 31;
    const Pixel icon = At(frame, {stripLeft + 16 + 13, stripTop + 3 + 13});
    EXPECT_FALSE(icon.r > icon.b + 80 && icon.g > icon.b + 60) << "the first icon's yellow is still there";
}

// Looking out from the table low, in any direction, the room stands around it: its floor and wall fill the
// view above the rail, never the empty background, also where the table's middle is out of sight.
TEST_F(TableDrawGlTest, TheRoomSurroundsTheTableInEveryDirection) {
    ASSERT_TRUE(stage->MakeTable(type::kEightBall)) << stage->Error();
    const Vec3 looks[4] = {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("view " + std::to_string(i));
        quill::Camera* camera = stage->table->Cameras().GetCamera().CurrentCamera();
        ASSERT_NE(camera, nullptr);
        const Vec3 eye{looks[i].x * 40.0f, looks[i].y * 40.0f, 30.0f};
        // The side vector is up x look.
        camera->SetFrame(eye, {eye.x + looks[i].x * 100.0f, eye.y + looks[i].y * 100.0f, 25.0f}, {0.0f, 0.0f, 1.0f},
                         {-looks[i].y, looks[i].x, 0.0f});
        stage->table->Cameras().GetCamera().ApplyMode();
        ASSERT_TRUE(stage->DrawFrameLitFromAbove());
        const std::vector<uint32_t> frame = ReadBackBuffer();
        stage->device->Present();
        const std::string screenshot = "table_room_view" + std::to_string(i) + ".png";
        stage->device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / screenshot);
        int empty = 0;
        for (int y = 20; y < kHeight / 3; y += 4) {
            for (int x = 80; x < kWidth - 20; x += 8) {
                const Pixel p = At(frame, {x, y});
                empty += std::abs(p.r - 0x10) <= 2 && std::abs(p.g - 0x20) <= 2 && std::abs(p.b - 0x40) <= 2 ? 1 : 0;
            }
        }
        EXPECT_EQ(empty, 0) << "the background shows: see " << screenshot;
    }
}

}  // namespace
}  // namespace kestrovan
