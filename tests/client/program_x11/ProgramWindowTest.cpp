// The real program on a real X display (the test command runs this binary under Xvfb) with the game data of
// the build: "kestrovan offline" opens its window on the intro, which Escape cuts short, goes on to the login
// screen, whose settings button opens a notice box and whose offline button leads to the offline screen, writes its
// start log and config.ini into its working folder and quits with exit code 0 when the window manager asks it to close.
// The X server runs with a white root window; the screen is captured at each screen into PNGs of the working folder,
// and their pixels show the intro's logos and background and the login screen's controls where the window is. On
// the offline screen the table's cloth fills the middle and the view looks along the aim at the rack; a drag with
// the right button turns the view and the aim with it (offline_aimed.png); a click with the pointer drawn back and
// pushed forward strokes the cue, the balls run and stop ("BallsStopped" in the log), and the captures before and
// after the shot (offline_before.png, offline_after.png) differ where the balls moved.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using Clock = std::chrono::steady_clock;

// Whether the pixel is of a table's cloth, green or blue.
bool IsCloth(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF);
    const int g = static_cast<int>(rgb >> 8 & 0xFF);
    const int b = static_cast<int>(rgb & 0xFF);
    return g > r + 40 || b > r + 40;
}

// Whether the pixel is of a ball: neither the cloth nor the wood around it, and not a shadow.
bool IsBall(uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF);
    const int g = static_cast<int>(rgb >> 8 & 0xFF);
    const int b = static_cast<int>(rgb & 0xFF);
    const bool wood = r > g && g > b && r - b > 30;
    return !IsCloth(rgb) && !wood && std::max({r, g, b}) > 60;
}

TEST_F(ProgramUnderX, OfflineOpensItsWindowReachesItsScreenAndQuitsOnRequest) {
    const auto started = Clock::now();
    ASSERT_GT(Start({"offline"}), 0);
    const XWindowGeometry area = WaitForWindow();
    ASSERT_FALSE(HasFailure());
    // A first start runs full screen at the screen size the program chose, at the desktop's corner.
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.y, 0);
    const int right = area.x + area.width;
    const int bottom = area.y + area.height;
    const int centreX = area.x + area.width / 2;
    const int centreY = area.y + area.height / 2;

    // The intro: the first logo fades in over a white background.
    Screenshot intro = WaitForScreen(folder() / "intro.png", [&](const Screenshot& shot) {
        return shot.At(area.x + 20, area.y + 20) == 0xFFFFFF && shot.At(centreX, centreY) != 0xFFFFFF;
    });
    EXPECT_EQ(intro.At(area.x + 20, area.y + 20), 0xFFFFFFu);
    EXPECT_NE(intro.At(centreX, centreY), 0xFFFFFFu) << "the logo shows in the middle";

    // Escape cuts the first logo short: the second shows over a background going from white to black.
    PressKey("Escape");
    Screenshot second = WaitForScreen(folder() / "intro2.png", [&](const Screenshot& shot) {
        return shot.At(area.x + 20, area.y + 20) != 0xFFFFFF;
    });
    EXPECT_NE(second.At(area.x + 20, area.y + 20), 0xFFFFFFu);

    // Escape again ends the intro; the login screen shows its offline button at the top right.
    PressKey("Escape");
    const int offlineX = right - 210 + 57;
    const int offlineY = area.y + 20;
    // The intro's grey background would pass for the button and the table: the black bar tells them apart.
    const int barX = area.x + 500;
    const int barY = bottom - 10;
    Screenshot login = WaitForScreen(folder() / "login.png", [&](const Screenshot& shot) {
        return shot.At(offlineX, offlineY) != 0x000000 && shot.At(centreX, centreY) != 0x000000 &&
               shot.At(barX, barY) == 0x000000;
    });
    EXPECT_NE(login.At(offlineX, offlineY), 0x000000u) << "the offline button";
    EXPECT_NE(login.At(area.x + 15 + 52, bottom - 140 + 60), 0x000000u) << "a logo at the bottom left";
    EXPECT_NE(login.At(centreX, centreY), 0x000000u) << "the demo table behind the controls";
    EXPECT_EQ(login.At(barX, barY), 0x000000u) << "the letterbox bar at the bottom";

    // Its settings button opens the notice that the function is not there yet, centred on the screen; Enter
    // closes it.
    const int settingsX = right - 68 + 16;
    x.MovePointer(settingsX, offlineY);
    x.Button(1, true);
    x.Button(1, false);
    const int boxX = area.x + (area.width - 400) / 2;
    const int boxY = area.y + (area.height - 250) / 2;
    // The box's face is the skin's slate, which the table's view never shows as such.
    Screenshot notice = WaitForScreen(folder() / "notice.png",
                                      [&](const Screenshot& shot) { return IsSlate(shot.At(boxX + 200, boxY + 150)); });
    EXPECT_TRUE(IsSlate(notice.At(boxX + 200, boxY + 150))) << "the box's face";
    EXPECT_NE(notice.At(boxX + 157 + 5, boxY + 200 + 5), notice.At(boxX + 200, boxY + 150)) << "its OK button";
    PressKey("Return");
    const uint32_t face = notice.At(boxX + 200, boxY + 150);
    Screenshot closed = WaitForScreen(folder() / "closed.png",
                                      [&](const Screenshot& shot) { return shot.At(boxX + 200, boxY + 150) != face; });
    EXPECT_NE(closed.At(boxX + 200, boxY + 150), face) << "the box is gone";

    // Its offline button leads to the offline screen. The click is repeated only while the login screen is
    // still there: a click after the switch would land on the offline screen's HUD at the same place.
    for (auto deadline = Clock::now() + std::chrono::seconds(30);
         Clock::now() < deadline && ReadFile(folder() / "StartLog.log").find("Scene 11 ready") == std::string::npos;) {
        x.MovePointer(offlineX, offlineY);
        x.Button(1, true);
        x.Button(1, false);
        if (WaitForLog("Scene 11", std::chrono::seconds(10))) break;
    }
    x.MovePointer(centreX, centreY);
    ASSERT_TRUE(WaitForLog("Scene 11 ready", std::chrono::seconds(20))) << ReadFile(folder() / "program.out");

    // The offline screen: the camera settles over the table, whose cloth fills the middle of the window.
    const auto clothIn = [&](const Screenshot& shot) {
        int cloth = 0;
        for (int y = centreY - 150; y < centreY + 150; y += 10) {
            for (int px = centreX - 200; px < centreX + 200; px += 10) cloth += IsCloth(shot.At(px, y)) ? 1 : 0;
        }
        return cloth;
    };
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Screenshot before =
        WaitForScreen(folder() / "offline_before.png", [&](const Screenshot& shot) { return clothIn(shot) > 600; });
    EXPECT_GT(clothIn(before), 600) << "the cloth covers most of the window's middle";
    // The view looks from behind the cue ball, in the middle, along the aim down the table: the rack lies on the
    // cloth above the cue ball.
    const auto ballsAhead = [&](const Screenshot& shot) {
        int balls = 0;
        for (int y = area.y + 120; y < centreY - 80; ++y) {
            for (int px = centreX - 120; px < centreX + 120; ++px) balls += IsBall(shot.At(px, y)) ? 1 : 0;
        }
        return balls;
    };
    EXPECT_GT(ballsAhead(before), 300) << "the object balls ahead: see offline_before.png";

    // Aiming: the right button stands in for Shift, the zoom view, whose sideways motion turns the view and the
    // aiming view with it; the zoom view moves in first, and once the button is let go the turned aiming view
    // comes back. The pointer stays on the screen, so it starts where it has room to move.
    x.MovePointer(area.x + 300, centreY);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.Button(3, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    for (int step = 0; step < 20; ++step) {
        x.MovePointerBy(25, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.Button(3, false);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const auto turned = [&](const Screenshot& shot) {
        return DifferingPixels(before, shot, area.x, area.y + 40, right, bottom);
    };
    const Screenshot aimed = WaitForScreen(folder() / "offline_aimed.png", [&](const Screenshot& shot) {
        return turned(shot) > 20000 && ballsAhead(shot) > 300;
    });
    EXPECT_GT(turned(aimed), 20000) << "the view turned: compare offline_before.png and offline_aimed.png";
    EXPECT_GT(ballsAhead(aimed), 300) << "a few degrees: the rack is still ahead";

    // A stroke: the left button held, the pointer drawn back toward the player and pushed forward hard. The
    // click goes to the cloth beside the HUD's panels in the middle. A busy machine may drop motion between two
    // frames, so a stroke that started no shot is played again, as a player would.
    const int strokeX = centreX - 250;
    const int strokeY = centreY;
    const auto stroke = [&] {
        x.MovePointer(strokeX, strokeY);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        x.Button(1, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        // The cue follows only a draw-back spread over several frames: slow steps back, then a quick push. While
        // the stroke hides the cursor the mouse's own motion counts, wherever the pointer is.
        for (int step = 0; step < 20; ++step) {
            x.MovePointerBy(0, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        }
        for (int step = 0; step < 6; ++step) {
            x.MovePointerBy(0, -40);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        x.Button(1, false);
    };
    bool stopped = false;
    for (int attempt = 0; attempt < 3 && !stopped; ++attempt) {
        stroke();
        stopped = WaitForLog("BallsStopped", std::chrono::seconds(30));
        if (!stopped) Capture(folder() / ("offline_stroke" + std::to_string(attempt) + ".png"));
    }
    ASSERT_TRUE(stopped) << ReadFile(folder() / "StartLog.log");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const Screenshot after = Capture(folder() / "offline_after.png");
    EXPECT_GT(DifferingPixels(before, after, area.x, area.y + 40, right, bottom), 2000)
        << "the balls moved: compare offline_before.png and offline_after.png";

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(200));

    const std::string log = ReadFile(folder() / "StartLog.log");
    EXPECT_NE(log.find("Init done...\n"), std::string::npos);
    EXPECT_EQ(log.find("WARNING: data package"), std::string::npos) << log;
    const std::string config = ReadFile(folder() / "config.ini");
    EXPECT_NE(config.find("fullscreen= 1\r\n"), std::string::npos) << config;
    EXPECT_NE(config.find("[Control]\r\n"), std::string::npos) << config;
}

}  // namespace
}  // namespace kv::test
