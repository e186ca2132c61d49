// The shot gallery in the real program on a virtual X display: RunProgram in this process with the
// program's own backends (SDL window and audio, OpenGL, the desktop's browser), logged in to the stand-in game
// server (login, lobby and gallery scripts) and reading its web service from a local site (canned list and
// shot replies). The lobby's "Shot Gallery" button leads to the gallery: the list's rows show, the chosen shot (a demo shot's record) replays with the speed caption changing from pass to
// pass and the balls moving between screenshots, a recommendation sends ShotVote and "To Lobby" sends
// LeaveToLobby and brings the lobby back. With a site that falls silent, or whose name server never answers, the
// window goes on drawing and closes at once, and a row of the longest texts keeps each within its column.
// Screenshots go into the working folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "QuillLib/gamedata/PlayerState.h"
#include "QuillLib/net/MessageId.h"
#include "client/app/App.h"
#include "client/app/ProgramMain.h"
#include "client/app/SceneManager.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/DemoShots.h"
#include "client/scenes/gallery/GalleryReplies.h"
#include "client/scenes/gallery/SceneShotGallery.h"
#include "platform/audio/sdl/SdlAudioDevice.h"
#include "platform/browser/xdg/XdgBrowser.h"
#include "platform/gfx/gl/GlSystem.h"
#include "platform/system/posix/InstanceLock.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "platform/window/sdl/SdlWindowBackend.h"
#include "tests/support/http/HttpTestServer.h"
#include "tests/support/lookup/SilentNameServer.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/x11/ProgramUnderX.h"

namespace kv::test {
namespace {

using namespace std::chrono_literals;
using kestrovan::App;
using kestrovan::SceneShotGallery;
using quill::MessageId;

std::unique_ptr<platform::gfx::GraphicsSystem> GraphicsOfTheWindow() {
    App* app = App::Current();
    if (app == nullptr)
        return nullptr;
    return platform::gfx::GlSystem::Create(platform::gfx::GlWindow{platform::SdlWindowOf(app->MainWindow())});
}

kestrovan::ProgramSetup RealProgram() {
    kestrovan::RegisterItemModels();
    kestrovan::ProgramSetup setup;
    setup.platform.windowBackend = [] { return std::make_unique<platform::SdlWindowBackend>(); };
    setup.platform.graphicsSystem = &GraphicsOfTheWindow;
    setup.platform.audioDevice = [](std::string& error) { return platform::SdlAudioDevice::Open(error); };
    setup.platform.browser = [] { return std::make_unique<platform::XdgBrowser>(); };
    setup.platform.createScene = &kestrovan::CreateScene;
    setup.platform.createPopups = &kestrovan::CreateScenePopups;
    setup.platform.cueStatistics = &kestrovan::FindCueStatistics;
    setup.lockPath = platform::InstanceLock::DefaultPath("Kestrovan");
    return setup;
}

std::string Fields(std::initializer_list<std::string> fields) {
    std::string reply;
    for (const std::string& field : fields)
        reply += field + "<BR>";
    return reply;
}

bool IsText(uint32_t rgb) {
    return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) > 200;  // white or yellow letters
}

class GalleryUnderX : public ProgramUnderX {
protected:
    static bool WaitUntil(const std::function<bool()>& condition, std::chrono::seconds limit) {
        for (const auto deadline = Clock::now() + limit; Clock::now() < deadline;) {
            if (condition())
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return condition();
    }
    // The gallery while it is the program's screen.
    static SceneShotGallery* Gallery() {
        App* app = App::Current();
        return app != nullptr ? dynamic_cast<SceneShotGallery*>(app->Scenes().Current()) : nullptr;
    }
    void Type(const std::string& letters) {
        for (char c : letters)
            PressKey(std::string(1, c));
    }
    // The game server's scripts, the site with its list and shot replies, config.ini pointing at both (full
    // screen at the display's size) and the working folder made current; false when the site cannot start.
    bool PrepareServers(const std::string& listReply, const std::string& shotReply,
                        const std::string& siteHost = "127.0.0.1") {
        if (!site.Start())
            return false;
        kvtest::InstallLoginScript(gameServer);
        kvtest::InstallLobbyScript(gameServer);
        kvtest::InstallGalleryScript(gameServer);
        site.ServeBody(std::string(kestrovan::kGalleryListPath), listReply);
        site.ServeBody(std::string(kestrovan::kGalleryShotPath), shotReply);
        const XWindowGeometry screen = x.Screen();
        {
            std::ofstream config(folder() / "config.ini", std::ios::binary);
            config << "[Server]\r\nHost=127.0.0.1\r\nPort=" << gameServer.Port()
                   << "\r\n[Web]\r\nSite=http://" << siteHost << ":" << site.Port()
                   << "\r\n[Video]\r\nfullscreen=1\r\nwidth="
                   << screen.width << "\r\nheight=" << screen.height << "\r\n";
        }
        return chdir(folder().c_str()) == 0;
    }
    // Runs the program in this process while the player plays on another thread; the program is asked to end
    // when the player is done, whatever happened. The program's exit code.
    int RunWithPlayer(const std::function<void()>& play) {
        std::thread player([&] {
            struct Quit {
                ~Quit() {
                    if (App* app = App::Current())
                        app->PostQuit();
                }
            } quit;
            play();
        });
        const int exitCode = kestrovan::RunProgram({u"kestrovan", u"launcher", u"player", u"password"}, RealProgram());
        player.join();
        return exitCode;
    }
    // Asks the window to close and waits for the program to end, which it does while the player's thread waits to
    // be joined: the milliseconds from the request to the end.
    double CloseAndTimeTheEnd() {
        const Clock::time_point asked = Clock::now();
        x.RequestClose(window());
        WaitUntil([] { return App::Current() == nullptr; }, 30s);
        return std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
    }
    // Logged in and in the lobby, "Shot Gallery" (156 x 34 at 206 from the right edge, y 380) opens the
    // gallery, which asks its site for today's best. The lobby may not take the first click while it loads.
    // The window's area; a failure when the gallery asked nothing. asked: whether the gallery's first question
    // has set out, waiting a moment for it (by default, whether the site has it).
    XWindowGeometry OpenGallery() {
        return OpenGallery([&] { return site.WaitForRequests(1, 3s); });
    }
    XWindowGeometry OpenGallery(const std::function<bool()>& asked) {
        const XWindowGeometry area = WaitForWindow();
        if (::testing::Test::HasFailure())
            return area;
        EXPECT_TRUE(EnterFirstChannel(area, gameServer)) << ReadFile(folder() / "StartLog.log");
        bool gone = false;
        for (int attempt = 0; attempt < 20 && !gone; ++attempt) {
            Click(area.x + area.width - 206 + 78, area.y + 380 + 17);
            gone = asked();
        }
        EXPECT_TRUE(gone) << "the gallery asked its site nothing";
        return area;
    }

    kvtest::GameServerFixture gameServer;
    kvtest::HttpTestServer site;
};

TEST_F(GalleryUnderX, AListedShotIsReplayedAtThreeSpeedsRecommendedAndLeftForTheLobby) {
    ASSERT_TRUE(PrepareServers(Fields({"1", "1", "2", "501", "Long bank", "Rowan", "3", "2009-3-30", "", "120", "502",
                                       "Cut", "Jin", "3", "2009-3-30", "", "80"}),
                               Fields({"1", "Rowan", "Long bank", "three rails", "120",
                                       std::string(kestrovan::DemoShots()[0].shot), "1", "Jin", "8", "great"})));
    const int exitCode = RunWithPlayer([&] {
        const XWindowGeometry area = OpenGallery();
        if (::testing::Test::HasFailure())
            return;
        const int left = area.x, top = area.y, width = area.width, height = area.height;
        // The gallery lists the two shots.
        const int listLeft = left + (width - 542) / 2, listTop = top + (height - 429) / 2;
        const auto rowText = [&](const Screenshot& shot) {
            return Count(shot, listLeft + 10, listTop + 83, listLeft + 503, listTop + 83 + 2 * 26, IsText);
        };
        const Screenshot list =
            WaitForScreen(folder() / "gallery_list.png", [&](const Screenshot& shot) { return rowText(shot) > 150; });
        EXPECT_GT(rowText(list), 150) << "the rows' texts: see gallery_list.png";
        EXPECT_EQ(site.Requests()[0].body, "Page_list=0");

        // The first row opens its shot, which replays on the table.
        Click(listLeft + 200, listTop + 83 + 11);
        EXPECT_TRUE(site.WaitForRequests(2, 30s));
        EXPECT_EQ(site.Requests().back().body, "shot_seq=501");
        ASSERT_TRUE(WaitUntil([] { return Gallery() != nullptr && Gallery()->SpeedIndex() == 0; }, 30s));
        const int tableLeft = left + 100, tableTop = top + height / 2 - 150;
        const auto tableArea = [&](const Screenshot& a, const Screenshot& b) {
            return DifferingPixels(a, b, tableLeft, tableTop, tableLeft + 550, tableTop + 300);
        };
        const int captionLeft = left + (width - 100) / 2, captionTop = top + height - 55;
        const Screenshot first = Capture(folder() / "replay_a.png");
        int moved = 0;
        for (int attempt = 0; attempt < 40 && moved < 200; ++attempt) {
            std::this_thread::sleep_for(250ms);
            moved = std::max(moved, tableArea(first, Capture(folder() / "replay_b.png")));
        }
        EXPECT_GT(moved, 200) << "the balls and cue move: see replay_a.png and replay_b.png";
        EXPECT_GT(Count(first, tableLeft, tableTop, tableLeft + 550, tableTop + 300, IsCaromCloth), 5000)
            << "the table's cloth";
        ASSERT_TRUE(WaitUntil([] { return Gallery() != nullptr && Gallery()->SpeedIndex() == 1; }, 90s))
            << "the first pass ends";
        const auto captionChanged = [&](const Screenshot& shot) {
            return DifferingPixels(first, shot, captionLeft, captionTop, captionLeft + 100, captionTop + 20) > 20;
        };
        const Screenshot half = WaitForScreen(folder() / "replay_half.png", captionChanged);
        EXPECT_TRUE(captionChanged(half)) << "the caption changes from \"Normal Speed\" to the half speed's";

        // A recommendation of the shot goes to the game server.
        App::Current()->Connection()->LocalPlayer().stickerCount = 5;
        const int shotLeft = left + width - 314 - 10, shotTop = top + 40;
        Click(shotLeft + 120 + 44, shotTop + 250 + 11);
        std::this_thread::sleep_for(500ms);
        Click(shotLeft + 30 + 20 + 100, shotTop + 290 + 48 + 9);
        Type("wow");
        Capture(folder() / "recommend.png");
        Click(shotLeft + 30 + 50 + 27, shotTop + 290 + 104 + 9);
        const auto vote = gameServer.WaitForMessage(MessageId::ShotVote, 10000);
        ASSERT_TRUE(vote.has_value()) << "see recommend.png";
        EXPECT_EQ(std::vector<uint8_t>(vote->bytes.begin() + 4, vote->bytes.begin() + 9),
                  (std::vector<uint8_t>{0xF5, 0x01, 0, 0, 10}));
        // The answer's notice, closed with Return once it came (while it is up it holds every click).
        const auto noticeShown = [&](const Screenshot& shot) { return MessageBoxShown(shot, area); };
        EXPECT_TRUE(noticeShown(WaitForScreen(folder() / "vote_answered.png", noticeShown))) << "see vote_answered.png";
        PressKey("Return");
        WaitForScreen(folder() / "vote_answer_closed.png", [&](const Screenshot& shot) { return !noticeShown(shot); });

        // "To Lobby" leaves the gallery; the lobby asks for its lists again.
        Click(left + width - 35 + 16, top + 17);
        const auto leave = gameServer.WaitForMessage(MessageId::LeaveToLobby, 10000);
        ASSERT_TRUE(leave.has_value()) << "see the last screenshots";
        EXPECT_EQ(leave->bytes, (std::vector<uint8_t>{5, 0, 0x73, 4, 0}));
        EXPECT_TRUE(WaitUntil([&] { return gameServer.CountReceived(MessageId::LobbyEnter) >= 2; }, 20s));
        Capture(folder() / "lobby_again.png");
    });
    EXPECT_EQ(exitCode, 0) << ReadFile(folder() / "StartLog.log");
}

// A site that says nothing while a shot replays: the vote's answer asks it for the shot again, and no answer
// comes. The window goes on drawing the replay meanwhile (the check prints the longest time between two
// changed pictures of the table), and a close asked while the site is still silent ends the program at once.
// A list row of the longest texts keeps each within its column.
TEST_F(GalleryUnderX, ASilentSiteLeavesTheWindowDrawingAndClosingAtOnce) {
    ASSERT_TRUE(PrepareServers(
        Fields({"1", "1", "2", "501", std::string(99, 'W'), "", "3", "", "", "0", "502", "Cut", "Jin", "3",
                "2026-12-07", "", "12"}),
        Fields({"1", "Jin", "Cut", "two rails", "80", std::string(kestrovan::DemoShots()[0].shot), "0"})));
    double closingMs = -1;
    const int exitCode = RunWithPlayer([&] {
        const XWindowGeometry area = OpenGallery();
        if (::testing::Test::HasFailure())
            return;
        const int left = area.x, top = area.y, width = area.width, height = area.height;
        const int listLeft = left + (width - 542) / 2, listTop = top + (height - 429) / 2;
        const int rowLeft = listLeft + 10, rowTop = listTop + 83;
        const Screenshot list = WaitForScreenAtRest(
            folder() / "gallery_long_row.png", {{rowLeft, rowTop, 532, 2 * 26}}, [&](const Screenshot& shot) {
                return Count(shot, rowLeft + 108, rowTop + 26, rowLeft + 300, rowTop + 26 + 23, IsText) > 50;
            });
        EXPECT_GT(Count(list, rowLeft + 108, rowTop, rowLeft + 228, rowTop + 23, IsText), 100)
            << "the long title in its column: see gallery_long_row.png";
        EXPECT_EQ(Count(list, rowLeft + 232, rowTop, rowLeft + 380, rowTop + 23, IsText), 0)
            << "nothing of it over the nickname and date columns: see gallery_long_row.png";
        // The second row's date and points stand apart, and the prizes of both rows lie inside the window.
        const int secondTop = rowTop + 26;
        EXPECT_GT(Count(list, rowLeft + 316, secondTop, rowLeft + 382, secondTop + 23, IsText), 30)
            << "the date: see gallery_long_row.png";
        EXPECT_EQ(Count(list, rowLeft + 383, secondTop, rowLeft + 400, secondTop + 23, IsText), 0)
            << "a gap between the date and the points: see gallery_long_row.png";
        EXPECT_GT(Count(list, rowLeft + 400, secondTop, rowLeft + 421, secondTop + 23, IsText), 10)
            << "the points: see gallery_long_row.png";
        for (const int top : {rowTop, secondTop}) {
            EXPECT_GT(Count(list, rowLeft + 451, top, listLeft + 542, top + 23, IsText), 30)
                << "the prize's amount: see gallery_long_row.png";
            EXPECT_EQ(Count(list, listLeft + 542, top, listLeft + 640, top + 23, IsText), 0)
                << "nothing past the window's edge: see gallery_long_row.png";
        }

        // The second row's shot replays.
        Click(rowLeft + 200, rowTop + 26 + 11);
        EXPECT_TRUE(site.WaitForRequests(2, 30s));
        EXPECT_TRUE(WaitUntil([] { return Gallery() != nullptr && Gallery()->SpeedIndex() == 0; }, 30s));
        std::this_thread::sleep_for(1s);

        // The site falls silent; the vote's answer asks it for the shot again.
        site.SetStalled(true);
        quill::Packet answer;
        answer.Init(MessageId::ShotVoteResult).WriteU8(0);
        gameServer.Send(answer);
        EXPECT_TRUE(site.WaitForRequests(3, 30s));
        std::this_thread::sleep_for(500ms);
        PressKey("Return");  // the answer's notice box
        // How long the window takes to show what comes: the server pushes a notice line every few tenths of a
        // second for six seconds; each time, the wait until the notice lines at the lower left show it (the
        // dispatch thread took it and a frame was drawn).
        const int noticeLeft = left + 10, noticeTop = top + height - 188;
        const auto notices = [&] { return CaptureArea(noticeLeft, noticeTop, 390, 8 * 18 + 30).rgb; };
        Clock::duration longest{};
        int pushed = 0;
        for (const auto watchStart = Clock::now(); Clock::now() - watchStart < 6s; ++pushed) {
            const std::vector<uint8_t> before = notices();
            const auto sent = Clock::now();
            gameServer.Send(kvtest::SystemNoticeMessage(u"notice " + quill::WString(1, static_cast<char16_t>(u'A' + pushed % 26))));
            while (notices() == before && Clock::now() - sent < 30s)
                std::this_thread::sleep_for(5ms);
            longest = std::max(longest, Clock::now() - sent);
            std::this_thread::sleep_for(200ms);
        }
        Capture(folder() / "gallery_silent_site.png");
        const double longestMs = std::chrono::duration<double, std::milli>(longest).count();
        std::printf("While the site was silent: %d notices pushed in 6 s, each shown within %.0f ms\n", pushed,
                    longestMs);
        EXPECT_LT(longestMs, 3000.0) << "the window stopped drawing: see gallery_silent_site.png";
        EXPECT_EQ(site.Requests().size(), 3u) << "the site is still silent";

        closingMs = CloseAndTimeTheEnd();
    });
    EXPECT_EQ(exitCode, 0) << ReadFile(folder() / "StartLog.log");
    ASSERT_GE(closingMs, 0) << "no close was asked";
    std::printf("Closed %.0f ms after the close was asked, the site still silent\n", closingMs);
    EXPECT_LT(closingMs, 5000.0);
    site.SetStalled(false);
}

// The gallery's site behind a name server that never answers: five seconds into the gallery, its question still
// waiting for the site's address, the list window shows, and a close ends the program without waiting for the
// lookup, which never ends by itself (the check prints how long the close took).
TEST_F(GalleryUnderX, ANameLookupThatNeverAnswersLeavesTheWindowClosingAtOnce) {
    using kvtest::SilentNameServer;
    ASSERT_TRUE(PrepareServers("", "", std::string("gallery.") + SilentNameServer::kDomain));
    const int begun = SilentNameServer::LookupsBegun();
    double closingMs = -1;
    const int exitCode = RunWithPlayer([&] {
        const XWindowGeometry area =
            OpenGallery([&] { return SilentNameServer::WaitForLookups(begun + 1, std::chrono::seconds(3)); });
        if (::testing::Test::HasFailure())
            return;
        std::this_thread::sleep_for(5s);
        const int listLeft = area.x + (area.width - 542) / 2, listTop = area.y + (area.height - 429) / 2;
        const auto listFace = [&](const Screenshot& shot) {
            return Count(shot, listLeft, listTop, listLeft + 542, listTop + 429, IsSlate);
        };
        const Screenshot shown = WaitForScreen(folder() / "gallery_lookup.png",
                                               [&](const Screenshot& shot) { return listFace(shot) > 20000; });
        EXPECT_GT(listFace(shown), 20000) << "the list window: see gallery_lookup.png";
        EXPECT_EQ(SilentNameServer::LookupsWaiting(), 1) << "the site's name is still looked up";
        closingMs = CloseAndTimeTheEnd();
    });
    EXPECT_EQ(exitCode, 0) << ReadFile(folder() / "StartLog.log");
    SilentNameServer::Release();
    ASSERT_GE(closingMs, 0) << "no close was asked";
    std::printf("Closed %.0f ms after the close was asked, the site's name still looked up\n", closingMs);
    EXPECT_LT(closingMs, 5000.0);
}

}  // namespace
}  // namespace kv::test
