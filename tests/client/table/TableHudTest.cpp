#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "client/table/TableHud.h"
#include "tests/client/table/TableFakes.h"

namespace kestrovan {
namespace {

using Part = TableHud::Part;

HudRect At(const TableHud& hud, int32_t part) {
    return hud.ScreenRect(part);
}

TEST(TableHud, LayoutFollowsTheWindow) {
    TableHud hud;
    hud.LayoutHud(1024, 768);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).x, 6);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).y, 768 - 490);
    EXPECT_EQ(At(hud, TableHud::kPowerBar).x, 6 + 3);  // children move with their panel
    EXPECT_EQ(At(hud, TableHud::kOverlayPanel).x, (1024 - 82) / 2 + 50);
    EXPECT_EQ(At(hud, TableHud::kOverlayPanel).y, 768 - 110);
    EXPECT_EQ(At(hud, TableHud::kCueBallPanel).x, (1024 - 42) / 2 + 20);
    EXPECT_EQ(At(hud, TableHud::kCueBallPanel).y, (768 - 121) / 2);
    // The pocket strip sits on the bottom edge, centred by its inclusive rectangle.
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).x, (1024 - 395) / 2);
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).y, 768 - 31);
    EXPECT_EQ(At(hud, TableHud::kFirstPocketIcon + 2).x, (1024 - 395) / 2 + 52);

    hud.LayoutHud(1280, 768);
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).x, (1280 - 395) / 2);
    EXPECT_EQ(At(hud, TableHud::kPocketStrip).y, 768 - 31 - 10);

    hud.SetHudBottomOffset(-400);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).y, 368);
    EXPECT_EQ(At(hud, TableHud::kPowerPanel).x, 6);
}

TEST(TableHud, PowerGaugeBars) {
    TableHud hud([] { return 0; });
    PowerGaugeInputs in;
    in.shownPower = 1.0f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(hud.GetElement(TableHud::kPowerBar).height, 120);
    EXPECT_EQ(hud.GetElement(TableHud::kPowerBar).y, 60);
    EXPECT_EQ(hud.GetElement(TableHud::kPowerBar).x, 3);
    EXPECT_EQ(hud.GetElement(TableHud::kDeviationBar).height, 120);  // deviation 0 at full power
    in.shownPower = 0.0f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(hud.GetElement(TableHud::kPowerBar).height, 0);
    EXPECT_EQ(hud.GetElement(TableHud::kPowerBar).y, 180);

    in.shownPower = 0.5f;
    in.strokeDeviation = 0.5f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(hud.GetElement(TableHud::kDeviationBar).height, 90);
    EXPECT_EQ(hud.GetElement(TableHud::kDeviationBar).x, 19);
    EXPECT_EQ(hud.GetElement(TableHud::kDeviationBar).y, 90);
    in.strokeKeyHeld = true;  // the deviation bar is empty while the stroke is charged
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(hud.GetElement(TableHud::kDeviationBar).height, 0);

    // The trembling bar never gets a negative height, even just above empty.
    in.powerDisplayMode = 0;
    in.controlEnabled = true;
    in.shownPower = 0.01f;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(hud.GetElement(TableHud::kPowerBar).height, 0);
    EXPECT_EQ(hud.GetElement(TableHud::kPowerBar).y, 180);
    TableHud high([] { return 32767; });
    in.shownPower = 1.0f;
    high.UpdatePowerGauge(in);
    EXPECT_EQ(high.GetElement(TableHud::kPowerBar).height, 120);
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
    EXPECT_EQ(hud.GetElement(TableHud::kCueBallPanel).x, 430);
    EXPECT_EQ(hud.GetElement(TableHud::kCueBallPanel).y, 230);
    const auto& marker = hud.GetElement(TableHud::kCueBallMarker);
    EXPECT_TRUE(marker.visible);
    EXPECT_EQ(marker.x, 8);
    EXPECT_EQ(marker.y, 120 - 55);
    const auto& value = hud.GetElement(TableHud::kCueBallValue);
    EXPECT_EQ(value.y, 116 - 55);
    EXPECT_EQ(value.text, u"55.0");
    const auto& gauge = hud.GetElement(TableHud::kCueBallGauge);
    EXPECT_EQ(gauge.source.y, 607 - 50);
    EXPECT_EQ(gauge.source.height, 50);
    EXPECT_EQ(gauge.y, 122 - 50);

    in.power = 0.0f;
    hud.UpdatePowerGauge(in);
    EXPECT_FALSE(hud.GetElement(TableHud::kCueBallMarker).visible);
    EXPECT_FALSE(hud.GetElement(TableHud::kCueBallValue).visible);

    // Without the aim following the camera the panel stays where it was.
    in.aimFollowsCamera = false;
    const BallScreenInfo elsewhere{0, 1.0f, 10.0f, 10.0f, 12.0f};
    in.cueBall = &elsewhere;
    hud.UpdatePowerGauge(in);
    EXPECT_EQ(hud.GetElement(TableHud::kCueBallPanel).x, 430);
}

TEST(TableHud, AimingCursorTouchesTheSystemCursorOnlyOnTheMainThread) {
    TableHud hud;
    test::FakeHost host;
    host.cursorX = 200;
    host.cursorY = 150;
    hud.SetAimCursor(&host, false, false, 1);  // the first caller is the main thread
    EXPECT_EQ(host.calls, (std::vector<std::string>{"recentre", "hide", "capture", "clip"}));
    EXPECT_FALSE(hud.IsSystemCursorShown());
    const auto& cursor = hud.GetElement(TableHud::kAimCursor);
    EXPECT_TRUE(cursor.visible);
    EXPECT_EQ(cursor.x, 200);
    EXPECT_EQ(cursor.source.y, 31 * 32);

    host.calls.clear();
    host.cursorX = 500;
    std::thread other([&] { hud.SetAimCursor(&host, false, false, 0); });
    other.join();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"recentre"}));
    EXPECT_EQ(hud.GetElement(TableHud::kAimCursor).x, 500);
    std::thread otherRestore([&] { hud.SetAimCursor(&host, true, true, 0); });
    otherRestore.join();
    EXPECT_FALSE(hud.GetElement(TableHud::kAimCursor).visible);
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
        const auto& element = hud.GetElement(TableHud::kFirstPocketIcon + icon);
        if (element.visible) {
            shownX.push_back(element.x);
            EXPECT_EQ(element.y, 3);
        }
    }
    EXPECT_EQ(shownX, (std::vector<int32_t>{16, 42, 68, 94, 120, 146, 172}));
    EXPECT_FALSE(hud.GetElement(TableHud::kFirstPocketIcon + 2).visible);
    EXPECT_EQ(hud.GetElement(TableHud::kFirstPocketIcon + 3).source.x, 602 + 3 * 26);
}

TEST(TableHud, DrawsWhatIsShown) {
    TableHud hud;
    hud.LayoutHud(1024, 768);
    test::RecordingHudDrawer drawer;
    hud.Draw(drawer);
    // Power panel, both bars, the pocket strip and its 21 icons; the hidden panels and the cursor are not drawn.
    EXPECT_EQ(drawer.images.size(), 3u + 1u + 21u);
    EXPECT_TRUE(drawer.texts.empty());
    EXPECT_EQ(drawer.images[0].textureId, 14u);
    EXPECT_EQ(drawer.images[0].source.x, 549);
    EXPECT_EQ(drawer.images[0].opacity, 0.5f);
    EXPECT_EQ(drawer.images[0].target.y, 768 - 490);

    hud.SetVisible(TableHud::kCueBallPanel, true);
    PowerGaugeInputs in;
    in.aimFollowsCamera = true;
    in.showPowerFigures = true;
    in.power = 0.3f;
    hud.UpdatePowerGauge(in);
    test::RecordingHudDrawer again;
    hud.Draw(again);
    ASSERT_EQ(again.texts.size(), 1u);
    EXPECT_EQ(again.texts[0], u"30.0");
}

}  // namespace
}  // namespace kestrovan
