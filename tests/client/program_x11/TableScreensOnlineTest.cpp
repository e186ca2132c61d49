// The real program online on a real X display reaches the table screens beside the game room from the lobby:
// "Practice alone" with a carom game opens the practice room (its Challenge and Options captions in the middle
// of their buttons), a challenge starts and three shots played in a row
// with the Ctrl key are each judged into the text list; an account that has not done the tutorial goes from the lobby straight to
// the school, whose first page greets the player beside the lesson index, and Continue leads to the camera
// tasks. One who stopped at page 12 gets the basics' cue in a window below the lesson board that says what it
// is, beside an index whose titles end clear of its scroll bar and read, reached or not, and the chalk slot
// left of the index; the exits say where they lead.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using quill::MessageId;

int Red(uint32_t rgb) { return static_cast<int>(rgb >> 16 & 0xFF); }
int Green(uint32_t rgb) { return static_cast<int>(rgb >> 8 & 0xFF); }
int Blue(uint32_t rgb) { return static_cast<int>(rgb & 0xFF); }

bool IsTextWhite(uint32_t rgb) {
    return Red(rgb) > 200 && Green(rgb) > 200 && Blue(rgb) > 200;
}

bool IsTextYellow(uint32_t rgb) {
    return Red(rgb) > 200 && Green(rgb) > 200 && Blue(rgb) < 80;
}

// A judged shot's line: "Success !!" in light green or "Failed... OTL" in red.
bool IsJudgement(uint32_t rgb) {
    const bool red = Red(rgb) > 200 && Green(rgb) < 70 && Blue(rgb) < 70;
    const bool green = Green(rgb) > 200 && Red(rgb) > 90 && Red(rgb) < 170 && Blue(rgb) > 90 && Blue(rgb) < 170;
    return red || green;
}

// The relative luminance of a colour, as contrast ratios are reckoned.
double Luminance(uint32_t rgb) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(Red(rgb)) + 0.7152 * linear(Green(rgb)) + 0.0722 * linear(Blue(rgb));
}

// The contrast of a line of text in the box: its letters' brightest pixel against the median of the box, which
// the background fills.
double TextContrast(const Screenshot& shot, int left, int top, int right, int bottom) {
    std::vector<double> lums;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            lums.push_back(Luminance(shot.At(x, y)));
    }
    std::sort(lums.begin(), lums.end());
    return (lums.back() + 0.05) / (lums[lums.size() / 2] + 0.05);
}

class TableScreens : public ProgramUnderX {
protected:
    // Login and the first channel, up to the lobby's entry; the window's area.
    XWindowGeometry ReachLobby(const kvtest::LoginScript& login) {
        if (StartOnline() <= 0) return {};
        kvtest::InstallLoginScript(server(), login);
        kvtest::InstallLobbyScript(server());
        kvtest::InstallPracticeScript(server());
        const XWindowGeometry area = WaitForWindow();
        EXPECT_TRUE(EnterFirstChannel(area)) << ReadFile(folder() / "StartLog.log");
        return area;
    }
    // A newcomer who has not done the tutorial, with the school's stored progress: the lobby sends him on to
    // the school.
    XWindowGeometry ReachSchool(uint32_t progress) {
        kvtest::LoginScript login;
        login.account.tutorialDone = 0;
        login.account.schoolProgress = progress;
        return ReachLobby(login);
    }
    // Clicks until the server has count messages of the id, at most five times.
    bool ClickFor(int x, int y, MessageId id, size_t count) {
        for (int attempt = 0; attempt < 5 && server().CountReceived(id) < count; ++attempt) {
            Click(x, y);
            for (int waited = 0; waited < 20 && server().CountReceived(id) < count; ++waited)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return server().CountReceived(id) >= count;
    }
};

TEST_F(TableScreens, PracticeAloneOpensThePracticeRoomWhereThreeChallengeShotsInARowAreJudged) {
    const XWindowGeometry area = ReachLobby({});
    ASSERT_FALSE(HasFailure());
    const int left = area.x, top = area.y, width = area.width, height = area.height;
    // A starved program takes seconds to show the lobby after the server has its entry.
    const auto lobby = [&](const Screenshot& shot) { return LobbyShown(shot, area); };
    ASSERT_TRUE(lobby(WaitForScreen(folder() / "lobby.png", lobby))) << "the lobby never showed: see lobby.png";
    std::this_thread::sleep_for(std::chrono::seconds(2));

    // "Practice alone", the four-ball game in the room setting, OK. The dialog is seen right of the room list's
    // face (to x 559), over the table.
    const int dialogX = left + (width - 403) / 2, dialogY = top + (height - 392) / 2;
    const auto dialogShows = [&](const Screenshot& shot) { return IsSlate(shot.At(dialogX + 300, dialogY + 300)); };
    for (int attempt = 0; attempt < 5 && !dialogShows(Capture(folder() / "practice_setup.png")); ++attempt) {
        Click(left + width - 188 + 57, top + 410 + 16);
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    Click(dialogX + 193 + 80, dialogY + 72 + 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(ClickFor(dialogX + 80 + 42, dialogY + 344 + 16, MessageId::EnterPractice, 1)) << "see practice_setup.png";

    // The room: its title bar and the table's cloth. The tips above the item bar stand on bands of their own:
    // no other picture of the HUD atlas (its gold outline, say) shows around them once they are at rest.
    const int textTop = top + height - 90 - 8 * 18, textBottom = top + height - 82;
    const Screenshot room = WaitForScreenAtRest(
        folder() / "practice.png", {{left + 10, textTop, 430, textBottom + 10 - textTop}},
        [&](const Screenshot& shot) { return Count(shot, left + 5, top + 4, left + 475, top + 34, IsSlate) > 2000; });
    ASSERT_GT(Count(room, left + 5, top + 4, left + 475, top + 34, IsSlate), 2000) << "see practice.png";
    const auto outlineGold = [](uint32_t rgb) {
        const int r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
        return r > 140 && g > 100 && b < 80 && r > b + 80;
    };
    EXPECT_LT(Count(room, left + 10, textTop, left + 440, textBottom + 10, outlineGold), 20) << "see practice.png";
    // "Challenge" and "Options" (114 x 32 at the top right, 44 and 80 down) show their captions in the middle of
    // their faces.
    for (const int buttonTop : {44, 80}) {
        long rows = 0;
        int ink = 0;
        for (int y = top + buttonTop; y < top + buttonTop + 32; ++y) {
            for (int x = left + width - 130; x < left + width - 16; ++x) {
                if (!IsLight(room.At(x, y))) continue;
                rows += y;
                ++ink;
            }
        }
        ASSERT_GT(ink, 30) << "the caption of the button " << buttonTop << " down: see practice.png";
        EXPECT_NEAR(static_cast<double>(rows) / ink, top + buttonTop + 16, 3.0)
            << "the caption's middle row on the button " << buttonTop << " down: see practice.png";
    }

    // The challenge at level 1 once its selection window shows; the notice that a player with gold only
    // experiences it is closed with Return once it came.
    const auto selectionShows = [&](const Screenshot& shot) { return DialogShown(shot, area, 400, 300); };
    for (int attempt = 0; attempt < 5 && !selectionShows(CaptureArea(0, 0, 0, 0)); ++attempt) {
        Click(left + width - 130 + 57, top + 44 + 16);
        WaitForScreen(folder() / "practice_selection.png", selectionShows);
    }
    const int selectionX = left + (width - 400) / 2, selectionY = top + (height - 300) / 2;
    Click(selectionX + 14 + 42, selectionY + 44 + 14);
    const auto noticeShows = [&](const Screenshot& shot) { return MessageBoxShown(shot, area); };
    ASSERT_TRUE(noticeShows(WaitForScreen(folder() / "practice_challenge.png", noticeShows)))
        << "no notice: see practice_selection.png, practice_challenge.png";
    PressKey("Return");
    WaitForScreen(folder() / "practice_notice_closed.png", [&](const Screenshot& shot) { return !noticeShows(shot); });

    // Three shots in a row, each with the Ctrl key held while the mouse draws the cue back and pushes it; each
    // stroke shoots at the first press, and the balls' stop judges it into a line of its own.
    const auto judgedLines = [&](const Screenshot& shot) {
        int lines = 0;
        bool inLine = false;
        for (int y = textTop; y < textBottom + 10; ++y) {
            const bool text = Count(shot, left + 10, y, left + 430, y + 1, IsJudgement) >= 3;
            lines += text && !inLine ? 1 : 0;
            inLine = text;
        }
        return lines;
    };
    // Each stroke comes once the last one was judged and the aiming view stands still, as a player waits for
    // the camera's glide back to the cue ball after a shot (seconds on a busy machine). The second comes while
    // the program is stopped, as on a machine too busy to run it: Ctrl's press and the draw-back reach it
    // together, and the draw-back behind the press is the stroke's.
    TableStops judged{[&] { return static_cast<size_t>(judgedLines(CaptureArea(0, 0, 0, 0))); }};
    for (int stroke = 1; stroke <= 3; ++stroke) {
        const StrokeStart start = stroke == 2 ? StrokeStart::StoppedThroughTheDrawBack : StrokeStart::WithTheMove;
        EXPECT_TRUE(StrokeShoots(judged, area, "practice_stroke" + std::to_string(stroke),
                                 [&] { StrokeCue(left + width / 2, top + height / 2, false, start); }));
    }
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

TEST_F(TableScreens, SchoolTakesANewcomerFromTheLobbyToThePageOneGreetingAndTheCameraTasks) {
    const XWindowGeometry area = ReachSchool(0);
    ASSERT_FALSE(HasFailure());
    const int left = area.x, top = area.y;
    ASSERT_TRUE(server().WaitForMessage(MessageId::EnterSchool, 20000).has_value()) << "the tutorial gate";
    ASSERT_TRUE(server().WaitForMessage(MessageId::QuestProgress, 30000).has_value()) << "page 1 reached";

    // Page 1's title greets the player by name in white on the lesson board.
    const auto title = [&](const Screenshot& shot) {
        return Count(shot, left + 220, top + 95, left + 580, top + 115, IsTextWhite);
    };
    const Screenshot first =
        WaitForScreenAtRest(folder() / "school_1.png", {{left, top, 228, 9}, {left + 170, top + 541, 280, 17}},
                            [&](const Screenshot& shot) { return title(shot) > 150; });
    EXPECT_GT(title(first), 150) << "the title: see school_1.png";
    // The lesson index keeps its rows in its window at the lower right: above the lesson board, at the top
    // left, the room shows and no row of the index.
    EXPECT_LT(Count(first, left, top, left + 228, top + 9, IsSlate), 100) << "see school_1.png";
    // The near rail, left of the middle pocket, is wood under the lamp: its red well over its blue, not a
    // washed-out grey.
    const int washedOut = Count(first, left + 170, top + 541, left + 450, top + 558, [](uint32_t rgb) {
        return Red(rgb) < Blue(rgb) + 40;
    });
    EXPECT_LT(washedOut, 200) << "the near rail's wood: see school_1.png";

    // Continue to the camera page (pages 2, 3 and 4 reported), then Continue again to try its tasks. The button
    // answers beside its 24-pixel face too, over the "Try" of its hit rectangle: the last page is asked there.
    const int continueX = left + 382, continueY = top + 250 + 13;
    const int besideX = left + 425;
    for (size_t page = 2; page <= 4; ++page) {
        ASSERT_TRUE(ClickFor(page == 4 ? besideX : continueX, continueY, MessageId::QuestProgress, page)) << page;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    const auto tasks = [&](const Screenshot& shot) {
        return Count(shot, left + 70, top + 340, left + 770, top + 400, [](uint32_t rgb) {
            return IsTextYellow(rgb) || (Red(rgb) > 100 && Green(rgb) > 100 && Blue(rgb) < 40);
        });
    };
    Screenshot tried = Capture(folder() / "school_tasks.png");
    for (int attempt = 0; attempt < 5 && tasks(tried) < 100; ++attempt) {
        Click(continueX, continueY);
        tried = WaitForScreen(folder() / "school_tasks.png", [&](const Screenshot& shot) { return tasks(shot) > 100; });
    }
    EXPECT_GT(tasks(tried), 100) << "the camera tasks: see school_tasks.png";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

TEST_F(TableScreens, SchoolPageTwelveGivesItsCueBelowTheBoardBesideAnIndexReadWhole) {
    const XWindowGeometry area = ReachSchool(12);
    ASSERT_FALSE(HasFailure());
    const int left = area.x, top = area.y;
    ASSERT_TRUE(server().WaitForMessage(MessageId::QuestDone, 30000).has_value()) << "page 12 reached";

    // The board's fourth line, "If you want to learn the basics of carom...", whole down to its foot where the
    // gift window (500 x 300) would have stood centred; the gift's face stands lower, left of the index.
    const int lineTop = top + 10 + 140 + 75;
    const auto lineFoot = [&](const Screenshot& shot) {
        return Count(shot, left + 262, lineTop + 9, left + 762, lineTop + 18, IsTextWhite);
    };
    const int giftLeft = left + (1024 - 10 - 259 - 81 - 500) / 2, giftTop = top + 295 + (768 - 295 - 300) / 2;
    // The index, the gift's title and the exits judged at rest (the chalk turns in its slot).
    const int indexLeft = left + 1024 - 259 - 10, indexTop = top + 768 - 273 - 8;
    const int slotLeft = indexLeft - 81 - 8 - 67, slotTop = top + 768 - 110;
    const Screenshot page = WaitForScreenAtRest(
        folder() / "school_12.png",
        {{left + 262, lineTop, 500, 18},
         {indexLeft - 81, indexTop, 340, 273},
         {giftLeft + 150, giftTop + 40, 330, 24},
         {left + 874, top + 300, 138, 109}},
        [&](const Screenshot& shot) { return lineFoot(shot) > 50 && IsSlate(shot.At(giftLeft + 250, giftTop + 100)); });
    EXPECT_GT(lineFoot(page), 50) << "the last line's lower half: see school_12.png";
    EXPECT_TRUE(IsSlate(page.At(giftLeft + 250, giftTop + 100))) << "the gift window: see school_12.png";

    // The index at the lower right (259 x 273, 10 from the right and 8 from the bottom): its tabs' captions
    // uncovered, nothing of its titles under its scroll bar (16 wide at x 230, below its up arrow's 17 rows at
    // y 48), and a title of a page not reached
    // yet ("Game guide", page 20, the second row) reads against its row.
    SaveEnlarged(page, folder() / "school_index_3x.png", indexLeft - 81, indexTop, 340, 273, 3);
    EXPECT_GT(Count(page, indexLeft - 81, indexTop + 72 + 4 * 32, indexLeft, indexTop + 72 + 6 * 32, IsTextWhite), 100)
        << "\"Level 4\" and \"Trickshot\": see school_12.png";
    const auto bright = [](uint32_t rgb) { return std::max({Red(rgb), Green(rgb), Blue(rgb)}) > 150; };
    EXPECT_EQ(Count(page, indexLeft + 230, indexTop + 48 + 17, indexLeft + 259, indexTop + 47 + 6 * 26, bright), 0)
        << "no title under or past the scroll bar: see school_12.png";
    const int rowTop = indexTop + 47 + 26;
    EXPECT_GE(TextContrast(page, indexLeft + 120, rowTop + 5, indexLeft + 228, rowTop + 22), 4.5)
        << "the title of a page not reached: see school_12.png";

    // The gift says what it is beside its cue; the exits (138 x 29, 150 from the right at y 300, 340 and 380)
    // say where they lead on faces of their own; the chalk slot (67 pixels square, 110 above the bottom) stands
    // left of the index's tabs, its level in red letters outlined in white, instead of under the index.
    const auto gold = [](uint32_t rgb) { return Red(rgb) > 200 && Green(rgb) > 150 && Blue(rgb) < 100; };
    EXPECT_GT(Count(page, giftLeft + 150, giftTop + 40, giftLeft + 480, giftTop + 64, gold), 100)
        << "the gift's title: see school_12.png";
    for (int exit = 0; exit < 3; ++exit) {
        const int exitTop = top + 300 + 40 * exit;
        EXPECT_GT(Count(page, left + 874, exitTop, left + 1012, exitTop + 29, IsTextWhite), 30)
            << "exit " << exit << ": see school_12.png";
    }
    EXPECT_GT(Count(page, slotLeft, slotTop + 40, slotLeft + 67, slotTop + 54,
                    [](uint32_t rgb) { return Red(rgb) > 200 && Green(rgb) < 80 && Blue(rgb) < 80; }),
              10)
        << "the chalk slot's level: see school_12.png";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
