// Every screen and dialog the program opens, laid out on the headless App and judged by the layout rules (no
// text over another, no text past its widget, nothing outside the screen): the lobby filled by the stand-in
// server's lobby script with rooms of every kind of row, the game room entered with chat lines in it, the
// login screen, the shop, the shot gallery, the practice room, the school, offline the offline screen and the
// replay screen; each with every window it holds shown alone, and the shared popups.
#include <gtest/gtest.h>

#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/gallery/SceneShotGallery.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/scenes/offline/SceneAlone.h"
#include "client/app/SceneId.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/practice/SceneReplay.h"
#include "client/scenes/practice/SceneRoomPractice.h"
#include "client/scenes/practice/SceneSchool.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/shop/SceneShop.h"
#include "tests/client/scenes/layout/ScreenLayout.h"
#include "tests/client/scenes/lobby/LobbyScreen.h"
#include "tests/support/net/GameServerScripts.h"
#include "tests/support/scenes/SceneHarness.h"

namespace kestrovan::test {
namespace {

// Rooms that show every part of a row: a level range and the half-game mark, a gamble room's stake, a
// friendly game, a long title, a locked room and a full one with its game running.
kvtest::LobbyScript EveryKindOfRoom() {
    kvtest::LobbyScript script;
    kvtest::TestRoom ranged;
    ranged.number = 4;
    ranged.gameMode = 0;
    ranged.minHandicap = 30;
    ranged.maxHandicap = 200;
    ranged.optionFlags = quill::RoomInfo::kHalfGameFlag;
    ranged.title = u"Four-ball for the evening players";
    kvtest::TestRoom gamble;
    gamble.number = 5;
    gamble.gameMode = 2;
    gamble.stake = 200;
    gamble.minHandicap = 200;
    gamble.status = 1;
    kvtest::TestRoom friendly = gamble;
    friendly.number = 6;
    friendly.gameMode = 3;
    friendly.optionFlags = 0xFF;
    friendly.title = u"Friendly";
    script.rooms.insert(script.rooms.begin(), {ranged, gamble, friendly});
    return script;
}

class LobbyLayout : public LobbyScreen {
protected:
    LobbyLayout() {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
    }
};

TEST_F(LobbyLayout, TheListedLobbyItsDialogsAndTheSharedPopupsKeepTheRules) {
    ASSERT_TRUE(connected);
    const kvtest::LobbyScript script = EveryKindOfRoom();
    kvtest::InstallLobbyScript(server, script);
    Enter();
    ASSERT_TRUE(Eventually([&] { return lobby->RoomRow(5)->GetRoomNumber() > 0 && lobby->UserRow(3)->HasPlayer(); }));
    ScreenLayout layout(app);
    layout.CheckScreen(*lobby, "lobby");
    layout.CheckSharedPopups(*lobby);
    EXPECT_EQ(layout.Unexpected(), "");
}

class RoomLayout : public SceneHarness<SceneRoomGame> {
protected:
    RoomLayout() {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
        quill::RoomInfo& room = app.Connection()->GetRoomInfo();
        room.gameType = 0;
        room.stake = 1000;
        room.title = u"Friday night carom for everybody";
        room.roomNumber = 42;
        room.minHandicap = 100;
        room.inningTime = 30;
        scene->SetLoadWanted(false);
    }
};

TEST_F(RoomLayout, TheEnteredRoomWithItsChatAndEveryDialogKeepsTheRules) {
    EXPECT_EQ(scene->LoadResources(nullptr, nullptr), 1) << "no packs";
    Activate();
    for (const char16_t* line : {u"Carom : good evening, anyone for a game of four-ball?", u"Masse : ready",
                                 u"** Gold limit of this level : 120,000"})
        scene->AddChatLine(line, 0xFFFFFFFF);
    ScreenLayout layout(app);
    layout.CheckScreen(*scene, "room");
    EXPECT_EQ(layout.Unexpected(), "");
}

template <class T>
class OnlineScreenLayout : public SceneHarness<T> {
protected:
    void CheckActivated(const std::string& name) {
        this->app.SetScreenSize({1024, 768});
        this->app.Scenes().ResizeAll(1024, 768);
        this->Activate();
        ScreenLayout layout(this->app);
        layout.CheckScreen(*this->scene, name);
        EXPECT_EQ(layout.Unexpected(), "");
    }
};

class LoginLayout : public OnlineScreenLayout<SceneLogin> {};
TEST_F(LoginLayout, KeepsTheRules) { CheckActivated("login"); }

class ShopLayout : public OnlineScreenLayout<SceneShop> {};
TEST_F(ShopLayout, KeepsTheRules) { CheckActivated("shop"); }

class GalleryLayout : public OnlineScreenLayout<SceneShotGallery> {};
TEST_F(GalleryLayout, KeepsTheRules) { CheckActivated("shot gallery"); }

class PracticeLayout : public OnlineScreenLayout<SceneRoomPractice> {};
TEST_F(PracticeLayout, KeepsTheRules) { CheckActivated("practice room"); }

class SchoolLayout : public OnlineScreenLayout<SceneSchool> {};
TEST_F(SchoolLayout, KeepsTheRules) { CheckActivated("school"); }

class OfflineLayout : public SceneTestApp {};

TEST_F(OfflineLayout, TheOfflineScreenAndItsDialogsKeepTheRules) {
    app.SetScreenSize({1024, 768});
    SceneAlone scene{app};
    scene.Init();
    EXPECT_EQ(scene.LoadResources(nullptr, nullptr), 1) << "no packs";
    scene.Activate();
    ScreenLayout layout(app);
    layout.CheckScreen(scene, "offline");
    EXPECT_EQ(layout.Unexpected(), "");
}

class ReplayLayout : public SceneTestApp {
protected:
    ReplayLayout() : SceneTestApp(AppMode::Replay, {u"replay", u"a", u"b", u"0"}) {}
};

TEST_F(ReplayLayout, TheReplayScreenKeepsTheRules) {
    app.SetScreenSize({1024, 768});
    std::unique_ptr<Scene> replay = CreateScene(SceneId::Replay, app);
    replay->Init();
    ScreenLayout layout(app);
    layout.CheckScreen(*replay, "replay");
    EXPECT_EQ(layout.Unexpected(), "");
}

}  // namespace
}  // namespace kestrovan::test
