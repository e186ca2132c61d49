#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "client/table/HudDial.h"
#include "client/table/TableHud.h"
#include "client/ui/WidgetSprite.h"
#include "tests/support/table/TableFakes.h"

namespace kestrovan {
namespace {

using test::HudPlace;

// The element's rectangle on the screen.
WidgetRect At(const TableHud& hud, int32_t part) {
    return hud.GetWidget(part).GetRect();
}

WidgetRect Source(const TableHud& hud, int32_t part) {
    WidgetSprite sprite;
    EXPECT_TRUE(hud.GetWidget(part).GetSpriteState(sprite));
    return sprite.GetSourceRect();
}

bool Shown(const TableHud& hud, int32_t part) {
    return hud.GetWidget(part).IsVisible();
}

TEST(TableHud, LayoutFollowsTheWindow) {
    TableHud hud;
    hud.LayoutHud(1024, 768);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).left, 6);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).top, 768 - 490);
    EXPECT_EQ(At(hud, TableHud::kPowerBar).left, 6 + 3);  // children move with their panel
    EXPECT_EQ(At(hud, TableHud::kOverlayPanel).left, (1024 - 82) / 2 + 50);
    EXPECT_EQ(At(hud, TableHud::kOverlayPanel).top, 768 - 110);
    EXPECT_EQ(At(hud, TableHud::kCueBallPanel).left, (1024 - 42) / 2 + 20);
    EXPECT_EQ(At(hud, TableHud::kCueBallPanel).top, (768 - 121) / 2);
    // The pocket strip sits on the bottom edge, centred by its inclusive rectangle.
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).left, (1024 - 395) / 2);
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).top, 768 - 31);
    EXPECT_EQ(At(hud, TableHud::kFirstPocketIcon + 2).left, (1024 - 395) / 2 + 52);

    hud.LayoutHud(1280, 768);
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).left, (1280 - 395) / 2);
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).top, 768 - 31 - 10);

    hud.SetHudBottomOffset(-400);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).top, 368);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).left, 6);
}

TEST(TableHud, PowerGaugeBars) {
    TableHud hud([] { return 0; });
    PowerGaugeInputs in;
    in.shownPower = 1.0f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(HudPlace(hud, TableHud::kPowerBar).Height(), 120);
    EXPECT_EQ(HudPlace(hud, TableHud::kPowerBar).top, 60);
    EXPECT_EQ(HudPlace(hud, TableHud::kPowerBar).left, 3);
    EXPECT_EQ(Source(hud, TableHud::kPowerBar).Height(), 120);
    EXPECT_EQ(HudPlace(hud, TableHud::kDeviationBar).Height(), 120);  // deviation 0 at full power
    in.shownPower = 0.0f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(HudPlace(hud, TableHud::kPowerBar).Height(), 0);
    EXPECT_EQ(HudPlace(hud, TableHud::kPowerBar).top, 180);
    EXPECT_EQ(Source(hud, TableHud::kPowerBar).Height(), 0);

    in.shownPower = 0.5f;
    in.strokeDeviation = 0.5f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(HudPlace(hud, TableHud::kDeviationBar).Height(), 90);
    EXPECT_EQ(HudPlace(hud, TableHud::kDeviationBar).left, 19);
    EXPECT_EQ(HudPlace(hud, TableHud::kDeviationBar).top, 90);
    in.strokeKeyHeld = true;  // the deviation bar is empty while the stroke is charged
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(HudPlace(hud, TableHud::kDeviationBar).Height(), 0);

    // The trembling bar never gets a negative height, even just above empty.
    in.powerDisplayMode = 0;
    in.controlEnabled = true;
    in.shownPower = 0.01f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(HudPlace(hud, TableHud::kPowerBar).Height(), 0);
    EXPECT_EQ(HudPlace(hud, TableHud::kPowerBar).top, 180);
    TableHud high([] { return 32767; });
    in.shownPower = 1.0f;
    high.UpdatePowerGauge(in);
    EXPECT_EQ(HudPlace(high, TableHud::kPowerBar).Height(), 120);
}

TEST(TableHud, CueBallPanelShowsThePower) {
    TableHud hud([] { return 0; });
    const BallScreenInfo cueBall{0, 1.0f, 400.4f, 300.9f, 12.0f};
    PowerGaugeInputs in;
    in.aimFollowsCamera = true;
    in.showPowerFigures = true;
    in.powerDisplayMode = 0;
    in.shownPower = 0.5f;
    in.power = 0.55f;
    in.cueBall = &cueBall;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(At(hud, TableHud::kCueBallPanel).left, 430);
    EXPECT_EQ(At(hud, TableHud::kCueBallPanel).top, 230);
    EXPECT_TRUE(Shown(hud, TableHud::kCueBallMarker));
    EXPECT_EQ(HudPlace(hud, TableHud::kCueBallMarker).left, 8);
    EXPECT_EQ(HudPlace(hud, TableHud::kCueBallMarker).top, 120 - 55);
    EXPECT_EQ(HudPlace(hud, TableHud::kCueBallValue).top, 116 - 55);
    EXPECT_EQ(test::HudText(hud, TableHud::kCueBallValue), u"55.0");
    EXPECT_EQ(Source(hud, TableHud::kCueBallGauge), WidgetRect::FromSize(522, 607 - 50, 42, 50));
    EXPECT_EQ(HudPlace(hud, TableHud::kCueBallGauge).top, 122 - 50);

    in.power = 0.0f;
    hud.UpdatePowerGauge(in);
    EXPECT_FALSE(Shown(hud, TableHud::kCueBallMarker));
    EXPECT_FALSE(Shown(hud, TableHud::kCueBallValue));

    // Without the aim following the camera the panel stays where it was.
    in.aimFollowsCamera = false;
    const BallScreenInfo elsewhere{0, 1.0f, 10.0f, 10.0f, 12.0f};
    in.cueBall = &elsewhere;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(At(hud, TableHud::kCueBallPanel).left, 430);
}

TEST(TableHud, AimingCursorTouchesTheSystemCursorOnlyOnTheMainThread) {
    TableHud hud;
    test::FakeHost host;
    host.cursorX = 200;
    host.cursorY = 150;
    hud.SetAimCursor(&host, false, false, 1);  // the first caller is the main thread
    EXPECT_EQ(host.calls, (std::vector<std::string>{"recentre", "hide", "capture", "clip"}));
    EXPECT_FALSE(hud.IsSystemCursorShown());
    EXPECT_TRUE(Shown(hud, TableHud::kAimCursor));
    EXPECT_EQ(At(hud, TableHud::kAimCursor).left, 200);
    EXPECT_EQ(Source(hud, TableHud::kAimCursor).top, 31 * 32);

    host.calls.clear();
    host.cursorX = 500;
    std::thread other([&] { hud.SetAimCursor(&host, false, false, 0); });
    other.join();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"recentre"}));
    EXPECT_EQ(At(hud, TableHud::kAimCursor).left, 500);
    std::thread otherRestore([&] { hud.SetAimCursor(&host, true, true, 0); });
    otherRestore.join();
    EXPECT_FALSE(Shown(hud, TableHud::kAimCursor));
    EXPECT_FALSE(hud.IsSystemCursorShown());

    host.calls.clear();
    hud.SetAimCursor(&host, true, true, 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"show", "release", "unclip", "warp 200,150"}));
    EXPECT_TRUE(hud.IsSystemCursorShown());
}

TEST(TableHud, PocketIconsLineUpForTheBallsOnTheTable) {
    TableHud hud;
    // Nine-ball: balls 3 and 5 pocketed.
    const std::vector<uint8_t> flags{0, 0, 0, 1, 0, 1, 0, 0, 0, 0};
    hud.ShowPocketedBalls(flags);
    std::vector<int32_t> shownX;
    for (int32_t icon = 0; icon < TableHud::kPocketIconCount; ++icon) {
        if (Shown(hud, TableHud::kFirstPocketIcon + icon)) {
            shownX.push_back(HudPlace(hud, TableHud::kFirstPocketIcon + icon).left);
            EXPECT_EQ(HudPlace(hud, TableHud::kFirstPocketIcon + icon).top, 3);
        }
    }
    EXPECT_EQ(shownX, (std::vector<int32_t>{16, 42, 68, 94, 120, 146, 172}));
    EXPECT_FALSE(Shown(hud, TableHud::kFirstPocketIcon + 2));
    EXPECT_EQ(Source(hud, TableHud::kFirstPocketIcon + 3).left, 602 + 3 * 26);
}

TEST(TableHud, DrawsWhatIsShownFromTheAtlas) {
    TableHud hud;
    hud.LayoutHud(1024, 768);
    hud.LoadGraphics(0);
    auto& drawn = test::TheHudToolkit().renderer.images;
    drawn.clear();
    hud.Draw();
    // Power panel, both bars, the pocket strip and its 21 icons; the hidden panels and the cursor are not drawn.
    ASSERT_EQ(drawn.size(), 3u + 1u + 21u);
    EXPECT_EQ(drawn[0].texture, TableHud::kAtlasTexture);
    EXPECT_EQ(drawn[0].source.left, 549);
    EXPECT_EQ(drawn[0].opacity, 0.5f);
    EXPECT_EQ(drawn[0].y, 768 - 490);
    EXPECT_EQ(drawn[1].opacity, 1.0f) << "the panel's opacity is its own";

    // The elevation dial turns about its pivot with the overlay shown.
    hud.SetVisible(TableHud::kOverlayPanel, true);
    hud.SetRotation(TableHud::kOverlayBar, -0.25f);
    drawn.clear();
    hud.Draw();
    const auto dial = std::find_if(drawn.begin(), drawn.end(), [](const auto& d) { return d.source.left == 352 && d.source.top == 555; });
    ASSERT_NE(dial, drawn.end());
    EXPECT_EQ(dial->radians, -0.25f);
}

}  // namespace
}  // namespace kestrovan
