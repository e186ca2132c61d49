// The player's own windows in the real program online, on a real X display: the stand-in server runs the
// login, lobby and player scripts. In the lobby Settings(F3) opens the settings dialog (settings.png); on the game page
// the large chat font is checked, the chat keys' texts read on their fields and the server options have their
// captions (settings_game.png); the control page stands inside its frame with a separator across it
// (settings_control.png); on the sound page the music and the voice are turned down a step, and
// Apply writes config.ini with the font and the music volume and sends the voice to the server
// (OptionsUpdate). F4 opens My Info (myinfo.png), each of its figures with its caption: the first skill raised
// and saved reaches the server, whose answer shows as saved and as the new values when My Info opens again
// (myinfo_saved.png). A player who enters the tournament channel sees its ranking chart with the rows the
// server sends under the columns' captions (ranking.png). The screenshots are in the check's working folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <functional>
#include <string>
#include <thread>

#include "QuillLib/net/MessageId.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/FigureCaptions.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using quill::MessageId;

// Where the windows stand on the 1024 x 768 screen: centred.
constexpr int kSettingsX = (1024 - 427) / 2;
constexpr int kSettingsY = (768 - 547) / 2;
constexpr int kPageX = kSettingsX + 30;
constexpr int kPageY = kSettingsY + 89;
constexpr int kMyInfoX = (1024 - 512) / 2;
constexpr int kMyInfoY = (768 - 562) / 2;
constexpr int kMyInfoStatisticsBelow = 58;
constexpr int kMyInfoShareX = 424;
// Level 12 runs from 6440 to 7929 points of experience.
constexpr uint32_t kHalfWayThroughLevel12 = 7185;
constexpr int kConfirmX = (1024 - 400) / 2;
constexpr int kConfirmY = (768 - 250) / 2;
constexpr int kChartX = (1024 - 597) / 2;
constexpr int kChartY = (768 - 619) / 2;
constexpr int kTournamentKind = 8;
constexpr int16_t kUngatedGrade = 20;

int CountLight(const Screenshot& shot, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            count += IsLight(shot.At(x, y)) ? 1 : 0;
    }
    return count;
}

class PlayerOnline : public ProgramUnderX {
protected:
    // The program online, logged in and in the lobby of the first channel of the script's list.
    bool ReachLobby(const kvtest::LoginScript& login = {}) {
        if (StartOnline() <= 0)
            return false;
        kvtest::InstallLobbyScript(server());
        kvtest::InstallLoginScript(server(), login);
        kvtest::InstallPlayerScript(server());
        area_ = WaitForWindow();
        if (HasFailure())
            return false;
        if (!EnterFirstChannel(area_))
            return false;
        std::this_thread::sleep_for(std::chrono::seconds(2));
        return true;
    }
    int X(int x) const { return area_.x + x; }
    int Y(int y) const { return area_.y + y; }
    void ClickAt(int x, int y) {
        Click(X(x), Y(y));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    // The settings dialog's page at rest once it shows what is wanted (the dialog's frame rate, below the
    // page, changes on its own).
    Screenshot PageAtRest(const std::string& png, const std::function<bool(const Screenshot&)>& wanted) {
        return WaitForScreenAtRest(folder() / png, {{X(kPageX), Y(kPageY), 395, 365}}, wanted);
    }
    // The screen once the rectangle differs from before by more than a few pixels.
    Screenshot WaitForChange(const std::string& png, const Screenshot& before, int left, int top, int right, int bottom) {
        return WaitForScreen(folder() / png, [&](const Screenshot& shot) {
            return DifferingPixels(before, shot, X(left), Y(top), X(right), Y(bottom)) > 50;
        });
    }

    // The greeting's and chat keys' boxes wear their dark field across their whole width (their light text
    // reads on it), and the two server options have their captions.
    void ExpectReadableGamePage(const Screenshot& page) {
        const auto dark = [](uint32_t rgb) { return std::max({rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF}) < 60; };
        for (int slot = 0; slot < 6; ++slot) {
            const int x = kPageX + (slot == 0 ? 94 : 67), y = kPageY + 115 + 25 * slot;
            EXPECT_EQ(Count(page, X(x + 200), Y(y + 2), X(x + 276), Y(y + 16), dark), 76 * 14)
                << "chat key " << slot << "'s field: see settings_game.png";
            EXPECT_GT(CountLight(page, X(x), Y(y), X(x + 100), Y(y + 18)), 20) << "chat key " << slot << "'s text";
        }
        for (int x : {10, 150})
            EXPECT_GT(CountLight(page, X(kPageX + x + 33), Y(kPageY + 325), X(kPageX + x + 133), Y(kPageY + 343)), 20)
                << "the server option's caption at " << x << ": see settings_game.png";
    }

    // The control page: the sudden-shot box inside the page's top edge, and the separator across the page
    // above the shot mode, not a lone slider track.
    void ExpectWholeControlPage(const Screenshot& page) {
        const uint32_t edge = page.At(X(kPageX + 100), Y(kPageY));
        EXPECT_EQ(Count(page, X(kPageX + 340), Y(kPageY), X(kPageX + 371), Y(kPageY + 1), [edge](uint32_t rgb) { return rgb == edge; }), 31)
            << "the page's top edge above the sudden-shot box: see settings_control.png";
        const int line = kPageY + 194 + 8 - 2;
        const uint32_t groove = page.At(X(kPageX + 200), Y(line));
        EXPECT_GT(Count(page, X(kPageX + 4), Y(line), X(kPageX + 391), Y(line + 1), [groove](uint32_t rgb) { return rgb == groove; }), 380)
            << "the separator across the page: see settings_control.png";
    }

    XWindowGeometry area_;
};

TEST_F(PlayerOnline, PlayerSettingsAreAppliedAndMyInfoSavesASkill) {
    kvtest::LoginScript login;
    login.account.experience = kHalfWayThroughLevel12;
    ASSERT_TRUE(ReachLobby(login)) << ReadFile(folder() / "StartLog.log");
    const Screenshot lobby = Capture(folder() / "lobby.png");
    // The title bar's Settings(F3) button (F3 itself is the chat entry's while it has the keyboard).
    ClickAt(1024 - 68 + 16, 17);
    const Screenshot settings =
        WaitForChange("settings.png", lobby, kSettingsX, kSettingsY, kSettingsX + 427, kSettingsY + 547);
    ASSERT_GT(DifferingPixels(lobby, settings, X(kSettingsX), Y(kSettingsY), X(kSettingsX + 427), Y(kSettingsY + 547)), 50)
        << "the settings dialog: see settings.png";

    // The game page's large chat font; the sound page's music and voice a step down (their left buttons).
    ClickAt(kSettingsX + 33 + 270 + 44, kSettingsY + 46 + 11);
    ClickAt(kPageX + 10 + 15, kPageY + 44 + 9);
    const auto largeFontChecked = [&](const Screenshot& shot) {
        return Count(shot, X(kPageX + 13), Y(kPageY + 47), X(kPageX + 38), Y(kPageY + 59), IsAccent) > 100;
    };
    const Screenshot game = PageAtRest("settings_game.png", largeFontChecked);
    ASSERT_TRUE(largeFontChecked(game)) << "the large chat font: see settings_game.png";
    ExpectReadableGamePage(game);
    ClickAt(kSettingsX + 33 + 180 + 44, kSettingsY + 46 + 11);
    ExpectWholeControlPage(PageAtRest("settings_control.png", [&](const Screenshot& shot) {
        return DifferingPixels(game, shot, X(kPageX), Y(kPageY), X(kPageX + 395), Y(kPageY + 365)) > 2000;
    }));
    ClickAt(kSettingsX + 33 + 90 + 44, kSettingsY + 46 + 11);
    ClickAt(kPageX + 42 + 4, kPageY + 25 + 8);
    ClickAt(kPageX + 42 + 4, kPageY + 151 + 8);
    Capture(folder() / "settings_sound.png");
    ClickAt(kSettingsX + 160 + 42, kSettingsY + 496 + 16);

    const auto options = server().WaitForMessage(MessageId::OptionsUpdate);
    ASSERT_TRUE(options.has_value()) << "see settings_sound.png";
    EXPECT_EQ(options->Read().ReadU32(), 0x801u) << "the voice at 99";
    const std::string config = ReadFile(folder() / "config.ini");
    EXPECT_NE(config.find("chatfontsize= 1"), std::string::npos) << config;
    EXPECT_NE(config.find("BGMVolume= 99"), std::string::npos) << config;

    // My Info: the first skill raised, saved and confirmed.
    const Screenshot closed = Capture(folder() / "closed.png");
    PressKey("F4");
    // Judged once it has faded in whole.
    const XWindowGeometry myInfo{X(kMyInfoX), Y(kMyInfoY), 512, 562};
    const Screenshot before = WaitForScreenAtRest(folder() / "myinfo.png", {myInfo}, [&](const Screenshot& shot) {
        return DifferingPixels(closed, shot, X(kMyInfoX), Y(kMyInfoY), X(kMyInfoX + 512), Y(kMyInfoY + 562)) > 20000;
    });
    // Each figure has its caption before it in the window's picture: the experience, the skills' names before
    // their levels, the skill points, and the statistics 58 pixels lower than the profile window's.
    const auto caption = [&](int x, int y) { return CaptionLight(before, X(kMyInfoX + x), Y(kMyInfoY + y)); };
    for (FigurePlace figure : kStatisticsFigures) {
        figure.x = figure.x == 420 ? kMyInfoShareX : figure.x;
        EXPECT_GT(caption(figure.x, figure.y + kMyInfoStatisticsBelow), 10)
            << "the caption of the statistic at (" << figure.x << ", " << figure.y << "): see myinfo.png";
    }
    EXPECT_GT(caption(114, 72), 10) << "the experience's caption";
    for (int k = 0; k < 5; ++k)
        EXPECT_GT(caption(107, 162 + 29 * k), 10) << "skill " << k << "'s name";
    EXPECT_GT(caption(410, 160), 10) << "the skill points' caption";
    // The experience bar half full over its track, the experience written on it.
    EXPECT_GT(Count(before, X(kMyInfoX + 114), Y(kMyInfoY + 70), X(kMyInfoX + 174), Y(kMyInfoY + 84), IsAccent), 300)
        << "the experience bar's fill: see myinfo.png";
    EXPECT_EQ(Count(before, X(kMyInfoX + 190), Y(kMyInfoY + 70), X(kMyInfoX + 240), Y(kMyInfoY + 84), IsAccent), 0)
        << "the track past the experience";
    // The level badge shows the level, and the mode tabs wear one face but the chosen one's.
    EXPECT_GT(BadgePixels(before, X(kMyInfoX + 357), Y(kMyInfoY + 66)), 150) << "the level badge: see myinfo.png";
    EXPECT_LE(UnchosenTabSpread(before, X(kMyInfoX), Y(kMyInfoY + 277 + kMyInfoStatisticsBelow)), 6)
        << "the tabs' faces: see myinfo.png";
    ClickAt(kMyInfoX + 160 + 8, kMyInfoY + 160 + 8);
    ClickAt(kMyInfoX + 310 + 38, kMyInfoY + 260 + 14);
    const XWindowGeometry box{X(kConfirmX), Y(kConfirmY), 400, 250};
    const auto boxShown = [&](const Screenshot& shot) { return MessageBoxShown(shot, area_); };
    const Screenshot question = WaitForScreenAtRest(folder() / "myinfo_question.png", {box}, boxShown);
    ClickAt(kConfirmX + 85 + 42, kConfirmY + 180 + 16);
    const auto save = server().WaitForMessage(MessageId::SkillPointsSave);
    ASSERT_TRUE(save.has_value()) << "see myinfo.png";
    EXPECT_EQ(save->bytes, (std::vector<uint8_t>{0x09, 0x00, 0x13, 0x00, 1, 0, 0, 0, 0}));
    // The notice that the skills are saved, in the question's place, closed before My Info opens again.
    const auto noticeShown = [&](const Screenshot& shot) {
        return boxShown(shot) && DifferingPixels(question, shot, box.x, box.y + 30, box.x + 400, box.y + 170) > 100;
    };
    ASSERT_TRUE(noticeShown(WaitForScreen(folder() / "myinfo_notice.png", noticeShown))) << "see myinfo_notice.png";
    PressKey("Return");
    WaitForScreen(folder() / "myinfo_notice_closed.png", [&](const Screenshot& shot) { return !boxShown(shot); });
    PressKey("F4");
    // My Info again (its close button where it was), with the first skill's level and the points left as the
    // server saved them.
    const auto reopened = [&](const Screenshot& shot) {
        return DifferingPixels(before, shot, X(kMyInfoX + 210), Y(kMyInfoY + 513), X(kMyInfoX + 295), Y(kMyInfoY + 545)) == 0;
    };
    const Screenshot saved = WaitForScreenAtRest(folder() / "myinfo_saved.png", {myInfo}, [&](const Screenshot& shot) {
        return reopened(shot) &&
               DifferingPixels(before, shot, X(kMyInfoX + 107), Y(kMyInfoY + 162), X(kMyInfoX + 147), Y(kMyInfoY + 182)) > 5;
    });
    ASSERT_TRUE(reopened(saved)) << "My Info opens again: see myinfo_saved.png";
    EXPECT_GT(DifferingPixels(before, saved, X(kMyInfoX + 107), Y(kMyInfoY + 162), X(kMyInfoX + 147), Y(kMyInfoY + 182)), 5)
        << "the skill's level: see myinfo.png, myinfo_saved.png";
    EXPECT_GT(DifferingPixels(before, saved, X(kMyInfoX + 410), Y(kMyInfoY + 160), X(kMyInfoX + 470), Y(kMyInfoY + 180)), 5)
        << "the points left";
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

TEST_F(PlayerOnline, PlayerTheTournamentChannelShowsTheRankingRows) {
    kvtest::LoginScript login;
    login.account.grade = kUngatedGrade;
    login.channels = {{0, 30, 100, 0, kTournamentKind}};
    ASSERT_TRUE(ReachLobby(login)) << ReadFile(folder() / "StartLog.log");
    ASSERT_TRUE(server().WaitForMessage(MessageId::RankingRequest).has_value());
    // The captions and the rows judged at rest.
    const XWindowGeometry rows{X(kChartX + 40), Y(kChartY + 140), 520, 100};
    const Screenshot chart = WaitForScreenAtRest(folder() / "ranking.png", {rows}, [&](const Screenshot& shot) {
        return CountLight(shot, X(kChartX + 80), Y(kChartY + 160), X(kChartX + 190), Y(kChartY + 179)) > 10;
    });
    EXPECT_GT(CountLight(chart, X(kChartX + 80), Y(kChartY + 160), X(kChartX + 190), Y(kChartY + 179)), 10)
        << "the first row's nickname: see ranking.png";
    EXPECT_GT(CountLight(chart, X(kChartX + 80), Y(kChartY + 198), X(kChartX + 190), Y(kChartY + 217)), 10)
        << "the third row";
    EXPECT_EQ(CountLight(chart, X(kChartX + 80), Y(kChartY + 217), X(kChartX + 190), Y(kChartY + 236)), 0)
        << "three rows";
    // Each column's caption stands above its rows, at the column's x.
    constexpr int kColumnX[] = {40, 80, 190, 255, 325, 460, 560};
    for (size_t column = 0; column + 1 < std::size(kColumnX); ++column) {
        EXPECT_GT(CountLight(chart, X(kChartX + kColumnX[column]), Y(kChartY + 140),
                             X(kChartX + kColumnX[column + 1]), Y(kChartY + 157)), 20)
            << "the caption of column " << column << ": see ranking.png";
    }
    EXPECT_EQ(CloseAndWait(std::chrono::seconds(10)), 0) << ReadFile(folder() / "program.out");
}

}  // namespace
}  // namespace kv::test
