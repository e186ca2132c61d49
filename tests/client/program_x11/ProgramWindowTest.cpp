// The real program on a real X display (the test command runs this binary under Xvfb) with the game data of
// the build: "kestrovan offline" opens its window on the intro, which Escape cuts short, goes on to the login
// screen, whose exit button's tooltip shows its whole frame at the screen's right edge, whose settings button
// opens the settings dialog and whose offline button leads to the offline screen,
// writes its start log and config.ini into its working folder and quits with exit code 0 when the window manager
// asks it to close.
// The X server runs with a white root window; the screen is captured at each screen into PNGs of the working folder,
// and their pixels show the intro's logos and background, the login screen's controls where the window is and the
// cloth of its demo table behind them, and the settings dialog's captions beside their boxes (a click on one checks
// its box, whose tooltip tells its name). On the offline screen the table's cloth fills the middle and the view
// looks along the aim at the rack; a drag with the left button turns the view and the aim with it
// (offline_aimed.png); Ctrl held with the pointer drawn back and pushed forward strokes the cue, the balls run and stop ("BallsStopped" in the log), and the captures before and
// after the shot (offline_before.png, offline_after.png) differ where the balls moved. The pictures are those a
// player would expect: the logo with the game's name, pictograms on the corner buttons, badges and framed panels
// on the login screen, the lamp's pool of light on the cloth and leather round the pockets (offline_before.png),
// the room's panelled wall behind the table and the balls' full colours in the zoom view (offline_zoom.png),
// the cue ball clear of a raised cue's butt there (offline_zoom_raised.png), the room-setting
// dialog with its title and centred captions (room_setting.png), whose open table list the first Escape closes
// and the second the dialog (room_setting_list.png, room_setting_unlisted.png), and the help with key caps
// (help.png).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

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

// Pixels of a rectangle for which the test holds.
template <class Test>
int CountPixels(const Screenshot& shot, int left, int top, int right, int bottom, Test test) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const uint32_t rgb = shot.At(x, y);
            count += test(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                          static_cast<int>(rgb & 0xFF))
                         ? 1
                         : 0;
        }
    }
    return count;
}

bool IsWhite(int r, int g, int b) { return std::min({r, g, b}) > 215; }
bool IsAccentRgb(int r, int g, int b) { return g > r + 60 && b > r + 50; }
bool IsHelpYellow(int r, int g, int b) { return r > 190 && g > 190 && b < 110; }

// The average row of the white pixels of a rectangle (-1 when there are none).
int WhiteMiddleRow(const Screenshot& shot, int left, int top, int right, int bottom) {
    long sum = 0;
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const uint32_t rgb = shot.At(x, y);
            if (IsWhite(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF))) {
                sum += y;
                ++count;
            }
        }
    }
    return count > 0 ? static_cast<int>(sum / count) : -1;
}

TEST_F(ProgramUnderX, OfflineOpensItsWindowReachesItsScreenAndQuitsOnRequest) {
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

    // The logo (350 x 200, in the middle) carries the game's name in white letters on its dark panel, once it
    // has faded in.
    const int logoX = centreX - 175, logoY = centreY - 100;
    const auto nameLetters = [&](const Screenshot& shot) {
        return CountPixels(shot, logoX + 115, logoY + 44, logoX + 335, logoY + 116, IsWhite);
    };
    const auto logoPanelShows = [&](const Screenshot& shot) {
        const uint32_t rgb = shot.At(logoX + 20, logoY + 185);
        return (rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF) < 330;
    };
    intro = WaitForScreen(folder() / "intro_logo.png",
                          [&](const Screenshot& shot) { return logoPanelShows(shot) && nameLetters(shot) > 400; });
    EXPECT_TRUE(logoPanelShows(intro)) << "see intro_logo.png";
    EXPECT_GT(nameLetters(intro), 400) << "the game's name on the logo: see intro_logo.png";

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
    // The demo table behind the controls: its cloth fills much of the middle, lit, not the room's floor alone.
    const auto demoCloth = [&](const Screenshot& shot) {
        return CountPixels(shot, centreX - 200, centreY - 120, centreX + 200, centreY + 120,
                           [](int r, int g, int b) { return IsCloth(static_cast<uint32_t>(r << 16 | g << 8 | b)); });
    };
    // The corner buttons and the badges are judged at rest; the demo table plays on in the middle, and behind the
    // corner panel's frame.
    const std::vector<XWindowGeometry> corners = {{right - 68, area.y, 68, 34}, {area.x + 60, bottom - 85, 40, 30}};
    Screenshot login = WaitForScreenAtRest(folder() / "login.png", corners, [&](const Screenshot& shot) {
        return shot.At(offlineX, offlineY) != 0x000000 && demoCloth(shot) > 20000 && shot.At(barX, barY) == 0x000000;
    });
    EXPECT_NE(login.At(offlineX, offlineY), 0x000000u) << "the offline button";
    EXPECT_NE(login.At(area.x + 15 + 52, bottom - 140 + 60), 0x000000u) << "a logo at the bottom left";
    EXPECT_GT(demoCloth(login), 20000) << "the demo table's cloth behind the controls: see login.png";
    EXPECT_EQ(login.At(barX, barY), 0x000000u) << "the letterbox bar at the bottom";

    // The corner buttons wear pictograms (a cross, a gear), far more ink than a letter's.
    for (const int buttonRight : {35, 68}) {
        const int left = right - buttonRight;
        EXPECT_GT(CountPixels(login, left, area.y, left + 33, area.y + 34,
                              [](int r, int g, int b) { return std::min({r, g, b}) > 190; }),
                  90)
            << "the pictogram of the button " << buttonRight << " from the right: see login.png";
    }
    // The exit button's tooltip stands at the screen's right edge, faded in (its light face unchanged over two
    // captures), with its whole frame: the face closes in a frame line at its right end as at its left.
    x.MovePointer(right - 35 + 16, area.y + 17);
    const int tipTop = area.y + 17 + 22;
    const int tipRow = tipTop + 2;  // above its caption's letters
    const auto cream = [](uint32_t rgb) {
        return (rgb >> 16 & 0xFF) > 235 && (rgb >> 8 & 0xFF) > 225 && (rgb & 0xFF) > 180 && (rgb & 0xFF) < 225;
    };
    int lastCream = -1;
    const Screenshot tip = WaitForScreen(folder() / "login_tooltip.png", [&](const Screenshot& shot) {
        const int now = Count(shot, right - 200, tipTop, right, tipTop + 20, cream);
        const bool rest = now > 300 && now == lastCream;
        lastCream = now;
        return rest;
    });
    int creamLeft = right - 2;
    while (creamLeft > right - 200 && cream(tip.At(creamLeft - 1, tipRow))) --creamLeft;
    EXPECT_TRUE(cream(tip.At(right - 2, tipRow)) && !cream(tip.At(right - 1, tipRow)))
        << "the tooltip's frame at its right end: see login_tooltip.png";
    EXPECT_FALSE(cream(tip.At(creamLeft - 1, tipRow))) << "the tooltip's frame at its left end: see login_tooltip.png";
    EXPECT_GT(right - creamLeft, 60) << "the tooltip's face: see login_tooltip.png";

    // The first badge at the bottom left is an eight ball: black beside its white spot.
    const uint32_t badge = login.At(area.x + 15 + 52 + 17, bottom - 140 + 61 + 14);
    EXPECT_LT((badge >> 16 & 0xFF) + (badge >> 8 & 0xFF) + (badge & 0xFF), 150u) << "the eight ball: see login.png";
    // The corner panel at the bottom right has a frame with brackets in the accent colour at its corners.
    const int panelX = right - 305, panelY = bottom - 160;
    EXPECT_GT(CountPixels(login, panelX, panelY, panelX + 20, panelY + 20, IsAccentRgb), 20)
        << "the corner panel's frame: see login.png";

    // Its settings button opens the settings dialog, centred on the screen; Esc closes it.
    const int settingsX = right - 68 + 16;
    x.MovePointer(settingsX, offlineY);
    x.Button(1, true);
    x.Button(1, false);
    const int boxX = area.x + (area.width - 427) / 2;
    const int boxY = area.y + (area.height - 547) / 2;
    // The dialog's face is the skin's slate, which the table's view never shows as such; with its Close button.
    const auto dialogDrawn = [&](const Screenshot& shot) {
        const uint32_t faceColour = shot.At(boxX + 15, boxY + 480);
        return IsSlate(faceColour) && shot.At(boxX + 295 + 5, boxY + 496 + 5) != faceColour;
    };
    // At rest but for the frame rate the dialog writes at its foot on a slow machine.
    Screenshot settings = WaitForScreenAtRest(folder() / "settings.png",
                                              {{boxX, boxY, 427, 490}, {boxX + 295, boxY + 496, 85, 32}}, dialogDrawn);
    EXPECT_TRUE(IsSlate(settings.At(boxX + 15, boxY + 480))) << "the dialog's face";
    EXPECT_NE(settings.At(boxX + 295 + 5, boxY + 496 + 5), settings.At(boxX + 15, boxY + 480)) << "its Close button";
    // The video page's captions lie beside their boxes: none runs over a box (the v-sync box, the radio buttons
    // of image quality, filter and anti-aliasing), and each radio button has its caption to its right.
    const int pageX = boxX + 30, pageY = boxY + 89;
    const auto letters = [](int r, int g, int b) { return std::min({r, g, b}) > 200; };
    struct Box {
        int x, y;
    };
    const Box boxes[] = {{349, 26}, {10, 158}, {115, 158}, {220, 158}, {10, 220}, {97, 220},  {184, 220},
                         {10, 282}, {81, 282}, {152, 282}, {223, 282}, {294, 282}, {10, 345}, {148, 345}};
    for (const Box& box : boxes) {
        const int left = pageX + box.x, top = pageY + box.y;
        EXPECT_EQ(CountPixels(settings, left + 3, top + 3, left + 28, top + 15, letters), 0)
            << "a caption over the box at (" << box.x << ", " << box.y << "): see settings.png";
        if (box.y >= 158) {
            EXPECT_GT(CountPixels(settings, left + 33, top, left + 70, top + 18, letters), 10)
                << "the caption of the box at (" << box.x << ", " << box.y << "): see settings.png";
        }
    }
    // A box's tooltip tells the control's whole name, and its caption is part of it: a click on "V-sync" checks
    // the box beside it.
    const int vsyncX = pageX + 349, vsyncY = pageY + 26;
    x.MovePointer(vsyncX + 15, vsyncY + 9);
    const auto tipShown = [&](const Screenshot& shot) {
        return DifferingPixels(settings, shot, vsyncX + 20, vsyncY + 25, vsyncX + 80, vsyncY + 50) > 300;
    };
    EXPECT_TRUE(tipShown(WaitForScreen(folder() / "settings_tooltip.png", tipShown)))
        << "the tooltip below the box: see settings_tooltip.png";
    const auto vsyncChecked = [&](const Screenshot& shot) {
        return CountPixels(shot, vsyncX + 3, vsyncY + 3, vsyncX + 28, vsyncY + 15, IsAccentRgb) > 100;
    };
    EXPECT_FALSE(vsyncChecked(settings)) << "see settings.png";
    Click(pageX + 294 + 20, vsyncY + 9);
    const Screenshot caption = WaitForScreen(folder() / "settings_vsync.png", vsyncChecked);
    EXPECT_TRUE(vsyncChecked(caption)) << "a click on the caption: see settings_vsync.png";
    PressKey("Escape");
    const uint32_t face = settings.At(boxX + 15, boxY + 480);
    Screenshot closed = WaitForScreen(folder() / "closed.png",
                                      [&](const Screenshot& shot) { return shot.At(boxX + 15, boxY + 480) != face; });
    EXPECT_NE(closed.At(boxX + 15, boxY + 480), face) << "the dialog is gone";

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
    // The view looks from behind the cue ball, in the middle, along the aim down the table: the rack lies on the
    // cloth above the cue ball.
    const auto ballsAhead = [&](const Screenshot& shot) {
        int balls = 0;
        for (int y = area.y + 120; y < centreY - 80; ++y) {
            for (int px = centreX - 120; px < centreX + 120; ++px) balls += IsBall(shot.At(px, y)) ? 1 : 0;
        }
        return balls;
    };
    // The camera glides to its place as the screen opens: the table is judged once it stands still, with the
    // chalk slot's uses (the chalk turns above them). A busy machine may show the login screen's last frames a
    // while after the log's line: its demo table passes for this one, its black letterbox at the top does not.
    const int slotFoot = area.y + area.height - 300 + 67;
    const std::vector<XWindowGeometry> tableArea = {{area.x + 70, area.y + 40, area.width - 70, area.height - 40},
                                                    {area.x, slotFoot - 16, 70, 32}};
    const Screenshot before =
        WaitForScreenAtRest(folder() / "offline_before.png", tableArea, [&](const Screenshot& shot) {
            return shot.At(centreX, area.y + 50) != 0x000000 && clothIn(shot) > 600 && ballsAhead(shot) > 300;
        });
    // The far half of the table three times as large, its far cushion and middle pockets, for a person to look at.
    SaveEnlarged(before, folder() / "offline_table_3x.png", area.x + 180, area.y + 88, 660, 220, 3);
    EXPECT_GT(clothIn(before), 600) << "the cloth covers most of the window's middle";
    EXPECT_GT(ballsAhead(before), 300) << "the object balls ahead: see offline_before.png";
    // The table under its lamp: the cloth brighter in the middle than by the near cushions, and leather round
    // the near left pocket and down its cup, not a black hole cut in the wood.
    const auto green = [&](const Screenshot& shot, int cx, int cy) {
        long sum = 0;
        for (int y = cy - 10; y < cy + 10; ++y) {
            for (int px = cx - 10; px < cx + 10; ++px) sum += shot.At(px, y) >> 8 & 0xFF;
        }
        return static_cast<int>(sum / 400);
    };
    EXPECT_GT(green(before, centreX, centreY - 84) - green(before, centreX - 212, centreY + 96), 25)
        << "the lamp's pool of light on the cloth: see offline_before.png";
    const int leather = CountPixels(before, area.x + 120, area.y + 505, area.x + 230, area.y + 585, [](int r, int g, int b) {
        return r >= 22 && r <= 90 && r > b + 8 && r >= g && g >= b;
    });
    EXPECT_GT(leather, 2000) << "the near left pocket's leather: see offline_before.png";
    // The left middle pocket's far jaw, facing the camera, is cloth lit as the cushion beside it, not a dark box.
    const int jaw = CountPixels(before, area.x + 274, area.y + 259, area.x + 288, area.y + 269,
                                [](int r, int g, int) { return g > 80 && g > r + 40; });
    EXPECT_GT(jaw, 100) << "the middle pocket's jaw: see offline_before.png";
    // The chalk slot's face, 67 pixels square 300 above the window's foot: the lent chalk's uses "(1000/1000)"
    // are written on it, and nothing of them below it.
    EXPECT_GT(Count(before, area.x, slotFoot - 14, area.x + 63, slotFoot, IsLight), 20)
        << "the chalk's uses on the slot: see offline_before.png";
    EXPECT_EQ(Count(before, area.x, slotFoot, area.x + 70, slotFoot + 16, IsLight), 0)
        << "nothing of them under the slot's foot: see offline_before.png";

    // The zoom view looks low down the table: above the far rail stands the room's wall, not the empty
    // background.
    x.Key("Shift_L", true);
    const auto emptyAboveTheRail = [&](const Screenshot& shot) {
        return CountPixels(shot, area.x + 420, area.y + 45, area.x + 800, area.y + 70,
                           [](int r, int g, int b) { return r + g + b < 24; });
    };
    const Screenshot zoom = WaitForScreenAtRest(folder() / "offline_zoom.png", tableArea, [&](const Screenshot& shot) {
        return DifferingPixels(before, shot, area.x, area.y + 40, right, bottom) > 20000;
    });
    x.Key("Shift_L", false);
    EXPECT_EQ(emptyAboveTheRail(zoom), 0) << "the room's wall behind the table: see offline_zoom.png";
    // The wall is panelled, not bare: its panels' edges show above the rail.
    int darkest = 255 * 3, lightest = 0;
    for (int y = area.y + 40; y < area.y + 70; ++y) {
        for (int px = area.x + 420; px < area.x + 800; ++px) {
            const uint32_t rgb = zoom.At(px, y);
            const int level = static_cast<int>((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF));
            darkest = std::min(darkest, level);
            lightest = std::max(lightest, level);
        }
    }
    EXPECT_GT(lightest - darkest, 30) << "the wall's panels above the rail: see offline_zoom.png";
    // The rack's balls show their full colours (the solids' reds, blues and yellows), not pastel shades of them.
    const int colourful = CountPixels(zoom, area.x + 250, area.y + 100, area.x + 780, area.y + 230, [](int r, int g, int b) {
        const int most = std::max({r, g, b}), least = std::min({r, g, b});
        return most > 100 && most - least > most * 6 / 10 && !(g > r && g > b);
    });
    EXPECT_GT(colourful, 2000) << "the balls' colours: see offline_zoom.png";

    // With the cue raised a few degrees ('V' and the mouse up), as near a cushion, the zoom view looks over
    // the cue: its butt does not cover the cue ball in the middle of the view. The table refuses 'V' and Shift
    // while its camera glides, so each goes down once the view it glides to stands still: the aiming view as
    // before the zoom, and after 'V' the aiming view with the cue raised (its camera a shade higher). The pixels
    // judged lie beside the cue, whose raise is the one change wanted there.
    const auto besideTheCue = [&](const Screenshot& a, const Screenshot& b) {
        return DifferingPixels(a, b, area.x + 70, area.y + 40, centreX - 60, bottom) +
               DifferingPixels(a, b, centreX + 60, area.y + 40, right, bottom);
    };
    const auto differs = [&](const Screenshot& a, const Screenshot& b) {
        return DifferingPixels(a, b, area.x, area.y + 40, right, bottom);
    };
    const Screenshot aiming =
        WaitForScreenAtRest(folder() / "offline_unzoomed.png", tableArea,
                            [&](const Screenshot& shot) { return besideTheCue(before, shot) < 500; });
    x.MovePointer(centreX, centreY + 100);
    x.Key("v", true);
    const Screenshot cueView =
        WaitForScreenAtRest(folder() / "offline_cue_view.png", tableArea,
                            [&](const Screenshot& shot) { return differs(aiming, shot) > 100000; });
    x.MovePointerInSteps(24, 0, -1, 20);
    const Screenshot cueRaised =
        WaitForScreenAtRest(folder() / "offline_cue_raised.png", tableArea,
                            [&](const Screenshot& shot) { return differs(cueView, shot) > 20000; });
    x.Key("v", false);
    WaitForScreenAtRest(folder() / "offline_cue_back.png", tableArea,
                        [&](const Screenshot& shot) { return besideTheCue(aiming, shot) < 60000; });
    const auto cueBall = [&](const Screenshot& shot) {
        return CountPixels(shot, centreX - 50, centreY - 54, centreX + 50, centreY + 46,
                           [](int r, int g, int b) { return std::min({r, g, b}) > 150; });
    };
    x.Key("Shift_L", true);
    const Screenshot raised = WaitForScreenAtRest(folder() / "offline_zoom_raised.png", tableArea,
                                                  [&](const Screenshot& shot) { return cueBall(shot) > 3500; });
    x.Key("Shift_L", false);
    EXPECT_GT(differs(cueView, cueRaised), 20000)
        << "the cue raised: compare offline_cue_view.png, offline_cue_raised.png";
    EXPECT_GT(cueBall(raised), 3500) << "the cue ball in the zoom view: see offline_zoom_raised.png";

    std::this_thread::sleep_for(std::chrono::seconds(1));

    // Aiming, as the key guide and the help say: a drag of the left button turns the view, and the aim with it.
    // The pointer stays on the screen, so it starts where it has room to move.
    x.MovePointer(area.x + 300, centreY);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.Button(1, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.MovePointerInSteps(5, 5, 0, 30);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    x.Button(1, false);
    const auto turned = [&](const Screenshot& shot) {
        return DifferingPixels(before, shot, area.x, area.y + 40, right, bottom);
    };
    const Screenshot aimed =
        WaitForScreenAtRest(folder() / "offline_aimed.png", tableArea,
                            [&](const Screenshot& shot) { return turned(shot) > 20000 && ballsAhead(shot) > 300; });
    EXPECT_GT(turned(aimed), 20000) << "the view turned: compare offline_before.png and offline_aimed.png";
    EXPECT_GT(ballsAhead(aimed), 300) << "a few degrees: the rack is still ahead";

    // A stroke: Ctrl held, the pointer drawn back toward the player and pushed forward hard. The pointer starts
    // on the cloth beside the HUD's panels in the middle. A busy machine may drop motion between two frames, so
    // a stroke that started no shot is played again, as a player would.
    TableStops stops = LoggedStops();
    ::testing::AssertionResult stopped = ::testing::AssertionFailure();
    for (int attempt = 0; attempt < 3 && !stopped; ++attempt) {
        stopped = StrokeShoots(stops, area, "offline_stroke" + std::to_string(attempt),
                               [&] { StrokeCue(centreX - 250, centreY, false); });
        if (!stopped) std::fprintf(stderr, "[ AGAIN    ] %s\n", stopped.message());
    }
    ASSERT_TRUE(stopped) << ReadFile(folder() / "StartLog.log");
    const Screenshot after = CaptureAtRest(folder() / "offline_after.png", tableArea);
    EXPECT_GT(DifferingPixels(before, after, area.x, area.y + 40, right, bottom), 2000)
        << "the balls moved: compare offline_before.png and offline_after.png";

    // The room-setting button opens its dialog in the middle of the screen: its title, no stray bars at its
    // right side, and the OK caption in the middle of its button. Escape closes it.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    x.MovePointer(right - 200 + 16, area.y + 17);
    x.Button(1, true);
    x.Button(1, false);
    const int dialogX = area.x + (area.width - 403) / 2, dialogY = area.y + (area.height - 392) / 2;
    // The title, the carom column and OK at rest; the table and the balls turn in their previews.
    const Screenshot dialog = WaitForScreenAtRest(
        folder() / "room_setting.png",
        {{dialogX, dialogY, 403, 40}, {dialogX + 362, dialogY + 40, 41, 215}, {dialogX + 80, dialogY + 344, 85, 32}},
        [&](const Screenshot& shot) { return IsSlate(shot.At(dialogX + 200, dialogY + 300)); });
    ASSERT_TRUE(IsSlate(dialog.At(dialogX + 200, dialogY + 300))) << "see room_setting.png";
    EXPECT_GT(CountPixels(dialog, dialogX + 14, dialogY + 5, dialogX + 214, dialogY + 29, IsWhite), 30)
        << "the dialog's title: see room_setting.png";
    EXPECT_LT(CountPixels(dialog, dialogX + 362, dialogY + 40, dialogX + 398, dialogY + 330, IsAccentRgb), 10)
        << "bars beside the carom column: see room_setting.png";
    const int okMiddle = WhiteMiddleRow(dialog, dialogX + 80, dialogY + 344, dialogX + 165, dialogY + 376);
    EXPECT_NEAR(okMiddle, dialogY + 360, 4) << "the OK caption's height: see room_setting.png";
    // The table list's face (the selector at (-9, 214), its list at (95, 1)): a click opens the list's rows below
    // it, over the table's preview, each row framed down its left edge as the face is. Escape closes the list
    // alone; the next one the dialog.
    const int faceX = dialogX + 86, faceY = dialogY + 215;
    const auto firstRow = [&](const Screenshot& shot) {
        int framed = 0;
        for (int y = faceY + 20; y < faceY + 38; ++y) framed += shot.At(faceX, y) == shot.At(faceX, faceY + 10) ? 1 : 0;
        return framed;
    };
    Click(faceX + 58, faceY + 10);
    const Screenshot listed = WaitForScreen(folder() / "room_setting_list.png",
                                            [&](const Screenshot& shot) { return firstRow(shot) > 15; });
    ASSERT_GT(firstRow(listed), 15) << "the open list's first row: see room_setting_list.png";
    PressKey("Escape");
    const Screenshot unlisted = WaitForScreen(folder() / "room_setting_unlisted.png",
                                              [&](const Screenshot& shot) { return firstRow(shot) < 4; });
    EXPECT_LT(firstRow(unlisted), 4) << "the list closed: see room_setting_unlisted.png";
    EXPECT_TRUE(IsSlate(unlisted.At(dialogX + 200, dialogY + 300))) << "the dialog stays: see room_setting_unlisted.png";
    PressKey("Escape");
    const Screenshot cancelled = WaitForScreen(folder() / "room_setting_closed.png", [&](const Screenshot& shot) {
        return !IsSlate(shot.At(dialogX + 200, dialogY + 300));
    });
    EXPECT_FALSE(IsSlate(cancelled.At(dialogX + 200, dialogY + 300))) << "see room_setting_closed.png";
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    // F1 opens the help: its first tab checked without any picture behind it, and the key caps in the column
    // left of the control lines.
    PressKey("F1");
    const int helpX = area.x + (area.width - 427) / 2, helpY = area.y + (area.height - 547) / 2;
    // At rest above the frame rate at its foot.
    const Screenshot help =
        WaitForScreenAtRest(folder() / "help.png", {{helpX, helpY, 427, 500}},
                            [&](const Screenshot& shot) { return IsSlate(shot.At(helpX + 200, helpY + 470)); });
    ASSERT_TRUE(IsSlate(help.At(helpX + 200, helpY + 470))) << "see help.png";
    const uint32_t tabLeft = help.At(helpX + 33 + 6, helpY + 41 + 19);
    const uint32_t tabRight = help.At(helpX + 33 + 84, helpY + 41 + 19);
    const int tabDifference = std::abs(static_cast<int>(tabLeft >> 16 & 0xFF) - static_cast<int>(tabRight >> 16 & 0xFF)) +
                              std::abs(static_cast<int>(tabLeft >> 8 & 0xFF) - static_cast<int>(tabRight >> 8 & 0xFF)) +
                              std::abs(static_cast<int>(tabLeft & 0xFF) - static_cast<int>(tabRight & 0xFF));
    EXPECT_LT(tabDifference, 30) << "one face across the checked tab: see help.png";
    EXPECT_GT(CountPixels(help, helpX + 18, helpY + 72, helpX + 122, helpY + 400, IsHelpYellow), 100)
        << "the key caps left of the lines: see help.png";
    PressKey("Escape");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");

    const std::string log = ReadFile(folder() / "StartLog.log");
    EXPECT_NE(log.find("Init done...\n"), std::string::npos);
    EXPECT_EQ(log.find("WARNING: data package"), std::string::npos) << log;
    // The log says what this system has: the OpenGL renderer and its version, the desktop's browser.
    EXPECT_NE(log.find("renderer : "), std::string::npos) << log;
    EXPECT_EQ(log.find("renderer : unknown"), std::string::npos) << log;
    EXPECT_NE(log.find("), OpenGL "), std::string::npos) << log;
    EXPECT_NE(log.find("[Web Browser]\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Internet Explorer"), std::string::npos) << log;
    // The terminal gets warnings and errors only: no tables of levels.
    EXPECT_EQ(ReadFile(folder() / "program.out").find("lev:"), std::string::npos);
    const std::string config = ReadFile(folder() / "config.ini");
    EXPECT_NE(config.find("fullscreen= 1\r\n"), std::string::npos) << config;
    EXPECT_NE(config.find("[Control]\r\n"), std::string::npos) << config;
}

// F10 on the login screen: the picture goes to the desktop folder and the notice across the middle of the
// screen reads as yellow text for its five seconds, not as a solid bar.
TEST_F(ProgramUnderX, OfflineScreenshotNoticeReadsAsText) {
    const std::filesystem::path desktop = folder() / "desktop";
    const XWindowGeometry area = StartOfflineAtLogin(desktop);
    ASSERT_FALSE(HasFailure());
    const int right = area.x + area.width;
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const int middle = area.y + area.height / 2;
    const auto yellow = [](uint32_t rgb) {
        return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200 && (rgb & 0xFF) < 80;
    };
    const auto white = [](uint32_t rgb) {
        return (rgb >> 16 & 0xFF) > 235 && (rgb >> 8 & 0xFF) > 235 && (rgb & 0xFF) > 235;
    };
    const Screenshot before = Capture(folder() / "notice_before.png");
    PressKey("F10");
    const Screenshot notice = WaitForScreen(folder() / "notice.png", [&](const Screenshot& shot) {
        return Count(shot, area.x, middle - 12, right, middle + 12, yellow) > 300;
    });
    EXPECT_GT(Count(notice, area.x, middle - 12, right, middle + 12, yellow), 300) << "the notice: see notice.png";
    EXPECT_LT(Count(notice, area.x, middle - 12, right, middle + 12, white),
              Count(before, area.x, middle - 12, right, middle + 12, white) + 100)
        << "no white bar across the middle: see notice.png";
    bool saved = false;
    for (const auto& entry : std::filesystem::directory_iterator(desktop)) saved |= entry.path().extension() == ".jpg";
    EXPECT_TRUE(saved) << "the picture on the desktop";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
