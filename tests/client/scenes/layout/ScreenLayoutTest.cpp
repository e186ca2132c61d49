// Every screen and dialog the program opens, laid out on the headless App and judged by the layout rules (no
// text over another, no text past its widget, nothing outside the screen): the lobby filled by the stand-in
// server's lobby script with rooms of every kind of row, the game room entered with chat lines in it, the
// login screen, the shop, the shot gallery, the practice room, the school, offline the offline screen and the
// replay screen; each with every window it holds shown alone, and the shared popups.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/InventoryItem.h"
#include "QuillLib/gamedata/ItemRecord.h"

#include "client/app/ProfilePopup.h"
#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/common/ItemSelectWindow.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/gallery/GalleryListDialog.h"
#include "client/scenes/gallery/GalleryListRow.h"
#include "client/scenes/gallery/SceneShotGallery.h"
#include "client/scenes/login/SceneLogin.h"
#include "client/scenes/offline/SceneAlone.h"
#include "client/app/SceneId.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/practice/SceneReplay.h"
#include "client/scenes/practice/SceneRoomPractice.h"
#include "client/scenes/practice/SceneSchool.h"
#include "client/scenes/room/ResultBoard.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/ScoreTrack.h"
#include "client/scenes/room/ShotBetPanel.h"
#include "client/scenes/shop/SceneShop.h"
#include "client/scenes/shop/ShopPreviewPanel.h"
#include "client/ui/Button.h"
#include "client/ui/TextLabel.h"
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

// An item of three periods with bonuses, as the purchase dialogs show one.
quill::ItemRecord ItemOfThreePeriods() {
    quill::ItemRecord item;
    item.id = 3003;
    item.currency = 2;
    item.name = u"Tuned cue II";
    item.periodUnit = quill::ItemRecord::kDays;
    item.periods = {7, 30, 90};
    item.prices = {3000, 10000, 25000};
    item.bonusFlag = 1;
    item.bonuses = {300, 1000, 2500};
    return item;
}

class LobbyLayout : public LobbyScreen {
protected:
    LobbyLayout() : LobbyScreen(true) {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
        MeasureTextsAsDrawn(app, *lobby);
    }
};

TEST_F(LobbyLayout, TheListedLobbyItsDialogsAndTheSharedPopupsKeepTheRules) {
    ASSERT_TRUE(connected);
    const kvtest::LobbyScript script = EveryKindOfRoom();
    kvtest::InstallLobbyScript(server, script);
    Enter();
    ASSERT_TRUE(Eventually([&] { return lobby->RoomRow(5)->GetRoomNumber() > 0 && lobby->UserRow(3)->HasPlayer(); }));
    const quill::ScopedLock turn = MainThreadTurn();  // the lobby is listed: the server sends no more
    // The chat keys' texts the settings dialog shows in its boxes.
    for (size_t n = 0; n < std::size(app.Connection()->LocalPlayer().chatTexts); ++n)
        app.Connection()->LocalPlayer().chatTexts[n] = u"macro " + quill::WString(1, static_cast<char16_t>(u'1' + n));
    ScreenLayout layout(app);
    layout.CheckScreen(*lobby, "lobby");
    layout.CheckSharedPopups(*lobby);
    // The profile of a player with a level, an icon and a clan rank's mark.
    quill::PlayerState& player = app.Connection()->LocalPlayer();
    player.level = 15;
    player.iconIndex = 3;
    player.markValue = 120;
    ProfilePopup& profile = *app.Scenes().GetProfilePopup();
    profile.ShowLocal(*lobby, player);
    layout.CheckWindow(*dynamic_cast<Widget*>(&profile), "profile of a player");
    EXPECT_EQ(layout.Unexpected(), "");
}

// The label of the tree that reads text, or null.
TextLabel* FindLabel(Widget& widget, const char16_t* text) {
    if (widget.GetKind() == WidgetKind::TextLabel && static_cast<TextLabel&>(widget).GetDisplayText() == text)
        return &static_cast<TextLabel&>(widget);
    for (Widget* child : widget.GetChildren()) {
        if (TextLabel* found = FindLabel(*child, text)) return found;
    }
    return nullptr;
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
        MeasureTextsAsDrawn(app, *scene);
    }
};

TEST_F(RoomLayout, TheEnteredRoomWithItsChatAndEveryDialogKeepsTheRules) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    EXPECT_EQ(scene->LoadResources(nullptr, nullptr), 1) << "no packs";
    Activate();
    for (const char16_t* line : {u"Carom : good evening, anyone for a game of four-ball?", u"Masse : ready",
                                 u"** Gold limit of this level : 120,000"})
        scene->AddChatLine(line, 0xFFFFFFFF);
    // The purchase dialog opens with an item; the betting panel shows a shot's three lines.
    scene->Purchase()->SetItem(ItemOfThreePeriods());
    scene->ShotBet()->NewShot(u"Bora", false);
    // The score track as a game shows it: steps lit to the goal at cell 7, two markers and the cursor.
    ScoreTrack& track = *scene->Track();
    track.Set(0, 2, 7, 3, 2, 3, 0);
    track.SetCursor(6);
    track.Show(true);
    ScreenLayout layout(app);
    layout.CheckScreen(*scene, "room");
    // The notice a player who joins a running game sees over the table until its state arrives.
    TextLabel* receiving = FindLabel(*scene, u"receiving game data...");
    ASSERT_NE(receiving, nullptr);
    Widget& notice = *receiving->GetParent();
    {
        quill::ScopedLock tree(app.Scenes().WidgetTreeLock());
        notice.Show(true);
    }
    layout.CheckShown(notice, "room receiving notice");
    // The betting panel folded: its folded picture over its own face.
    ShotBetPanel& bet = *scene->ShotBet();
    for (Widget* child : bet.GetChildren()) {
        if (child->GetId() != ShotBetPanel::kFoldId) continue;
        quill::ScopedLock tree(app.Scenes().WidgetTreeLock());
        static_cast<Button*>(child)->SetChecked(true);
        bet.OnEvent(child, 1, 0);
    }
    layout.CheckWindow(bet, "room betting panel folded");
    // The result board as a game's end fills it: a winner, a loser and the fee.
    ResultBoard& board = *scene->Results();
    board.SetGrid(1, 2);
    board.SetRow(0, 0, u"Tester", 1, 10, 501000, 50);
    board.SetRow(0, 1, u"Bora", 2, -5, -400000, 30);
    board.SetFee(10);
    layout.CheckWindow(board, "room result board");
    // The cue window with four cues, and the purchase window with its offers, each slid in as it opens.
    std::vector<std::unique_ptr<quill::InventoryItem>> cues;
    for (uint32_t key = 1; key <= 4; ++key) {
        cues.push_back(std::make_unique<quill::InventoryItem>());
        cues.back()->typeCode = 3000 + key;
        cues.back()->kind = quill::ItemRecord::kCue;
        app.Connection()->LocalPlayer().AddItem(key, 0, cues.back().get());
    }
    for (const auto& [window, name] : {std::pair<SlidingItemWindow*, const char*>{scene->ItemSelect(), "cue window"},
                                       {scene->PurchaseGift(), "purchase window"}}) {
        {
            quill::ScopedLock tree(app.Scenes().WidgetTreeLock());
            window->SetVisible(true);
            for (int tick = 0; tick < 100 && window->SlideState() != SlidingItemWindow::Slide::kIdle; ++tick)
                window->Tick(0);
        }
        layout.CheckShown(*window, name);
        quill::ScopedLock tree(app.Scenes().WidgetTreeLock());
        window->SetVisible(false);
    }
    for (uint32_t key = 1; key <= 4; ++key) app.Connection()->LocalPlayer().RemoveItem(key, 0);
    EXPECT_EQ(layout.Unexpected(), "");
}

template <class T>
class OnlineScreenLayout : public SceneHarness<T> {
protected:
    // The activated screen, after what prepare shows in it.
    void CheckActivated(const std::string& name, const std::function<void()>& prepare = {}) {
        const quill::ScopedLock turn = this->MainThreadTurn();  // no other thread drives the screen
        this->app.SetScreenSize({1024, 768});
        this->app.Scenes().ResizeAll(1024, 768);
        MeasureTextsAsDrawn(this->app, *this->scene);
        this->Activate();
        if (prepare) prepare();
        ScreenLayout layout(this->app);
        layout.CheckScreen(*this->scene, name);
        EXPECT_EQ(layout.Unexpected(), "");
    }
};

class LoginLayout : public OnlineScreenLayout<SceneLogin> {};
TEST_F(LoginLayout, KeepsTheRules) { CheckActivated("login"); }

class ShopLayout : public OnlineScreenLayout<SceneShop> {};

// The shop with its large preview shown, and the purchase dialog of an item of three periods with bonuses,
// bought and given.
TEST_F(ShopLayout, TheShopItsPreviewAndThePurchaseDialogInEveryModeKeepTheRules) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    PurchaseDialog& dialog = *scene->Purchase();
    const quill::ItemRecord item = ItemOfThreePeriods();
    dialog.SetItem(item);
    CheckActivated("shop", [this] { scene->LargePreview()->Show(true); });
    ScreenLayout layout(app);
    for (const auto& [mode, name] : {std::pair{PurchaseMode::kBuy, "purchase dialog"},
                                     std::pair{PurchaseMode::kGift, "gift dialog"}}) {
        dialog.SetMode(mode);
        dialog.SetItem(item);
        layout.CheckWindow(dialog, name);
    }
    EXPECT_EQ(layout.Unexpected(), "");
}

class GalleryLayout : public OnlineScreenLayout<SceneShotGallery> {};

// The list with three shots, the first one of today's best with its prize; notice lines of two lengths.
TEST_F(GalleryLayout, TheListWithTodaysBestKeepsTheRules) {
    CheckActivated("shot gallery", [this] {
        scene->AddNoticeLine(u"Your shot was registered to the gallery.", 0xFFFFFFFF);
        scene->AddNoticeLine(u"Welcome", 0xFFFFFF00);
        GalleryListDialog& list = *scene->ListDialog();
        for (size_t k = 0; k < 3; ++k) {
            GalleryListRow& row = *list.Row(k);
            row.SetEntry(static_cast<int32_t>(k) + 1, 100 + static_cast<int32_t>(k), 3, u"Three cushions around the table",
                         u"Carom", u"2026-12-07", 12);
            row.Show(true);
        }
        list.Row(0)->SetPrize(50000);
    });
}

class PracticeLayout : public OnlineScreenLayout<SceneRoomPractice> {};
TEST_F(PracticeLayout, KeepsTheRules) { CheckActivated("practice room"); }

class SchoolLayout : public OnlineScreenLayout<SceneSchool> {};

// The board on the page that completes the basics, with the gift of the first visit.
TEST_F(SchoolLayout, ThePageOfTheBasicsWithItsGiftKeepsTheRules) {
    constexpr int32_t kBasicsPage = 12;
    CheckActivated("school", [this] { scene->ShowPage(kBasicsPage - scene->Step()); });
}

class OfflineLayout : public SceneTestApp {};

TEST_F(OfflineLayout, TheOfflineScreenAndItsDialogsKeepTheRules) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    app.SetScreenSize({1024, 768});
    SceneAlone scene{app};
    scene.Init();
    EXPECT_EQ(scene.LoadResources(nullptr, nullptr), 1) << "no packs";
    MeasureTextsAsDrawn(app, scene);
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
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    app.SetScreenSize({1024, 768});
    std::unique_ptr<Scene> replay = CreateScene(SceneId::Replay, app);
    replay->Init();
    MeasureTextsAsDrawn(app, *replay);
    ScreenLayout layout(app);
    layout.CheckScreen(*replay, "replay");
    EXPECT_EQ(layout.Unexpected(), "");
}

}  // namespace
}  // namespace kestrovan::test
