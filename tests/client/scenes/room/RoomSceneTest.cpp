// The game room on the headless online App: the layout's places at 1024 x 768 and its one-time build,
// loading without packs, entering the room (texts, the board, RoomEntered), the turn clock's warning and its
// one time-out per turn, leaving (spent items back to the pool), the chat box's lines, the purchase dialog
// opened from the item window and its request, and the invitation list from the server.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/AssertBreak.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/app/SceneId.h"
#include "client/app/SoundQueue.h"
#include "client/connection/GameConnection.h"
#include "client/scenes/common/ChalkQuickSlot.h"
#include "client/scenes/common/HelpWindow.h"
#include "client/scenes/common/ItemQuickBar.h"
#include "client/scenes/common/PurchaseDialog.h"
#include "client/scenes/common/PurchaseGiftWindow.h"
#include "client/scenes/common/PurchaseItemCard.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/room/InviteRow.h"
#include "client/scenes/room/InviteWindow.h"
#include "client/scenes/room/PlayerBoard.h"
#include "client/scenes/room/PointRulePanel.h"
#include "client/scenes/common/ReplayPanel.h"
#include "client/scenes/room/RoomMenu.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "client/scenes/room/StartReadyPanel.h"
#include "client/table/GameTable.h"
#include "client/table/TableEquipment.h"
#include "client/table/TableRenderStep.h"
#include "client/ui/AnimatedImage.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/Image.h"
#include "client/ui/TextLabel.h"
#include "platform/window/MessageIds.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/scenes/SceneHarness.h"

namespace kestrovan::test {
namespace {

class RoomScreen : public SceneHarness<SceneRoomGame> {
protected:
    // No other thread drives the widgets: the whole test is one turn of the main thread.
    const quill::ScopedLock turn = MainThreadTurn();

    RoomScreen() {
        app.SetScreenSize({1024, 768});
        app.Scenes().ResizeAll(1024, 768);
        quill::RoomInfo& room = Connection().GetRoomInfo();
        room.gameType = 0;
        room.setting = 1;
        room.stake = 1000;
        room.open = 1;
        room.title = u"Friday carom";
        room.roomNumber = 42;
        room.minHandicap = 100;
        room.inningTime = 30;
        scene->SetLoadWanted(false);
    }
    ~RoomScreen() override {
        if (server) Connection().StopDispatchThread();
    }
    GameConnection& Connection() { return *app.Connection(); }
    // Loads without packs (the table is made) and enters the room.
    void Enter() {
        EXPECT_EQ(scene->LoadResources(nullptr, nullptr), 1) << "no packs";
        ASSERT_NE(scene->Table(), nullptr);
        Activate();
    }
    // A stand-in server that has greeted the connection.
    void Serve() {
        server = std::make_unique<kvtest::GameServerFixture>();
        server->GreetWithHello();
        Connection().SetServerAddress(server->Host(), server->Port());
        Connection().StartDispatchThread();
        Connection().Connect();
        ASSERT_TRUE(server->WaitForMessage(quill::MessageId::LoginRequest).has_value());
        // The greeting answered, the test delivers the server's messages itself.
        Connection().StopDispatchThread();
    }
    std::vector<std::vector<uint8_t>> Sent(quill::MessageId id) const {
        std::vector<std::vector<uint8_t>> found;
        for (const kvtest::ServerMessage& message : server->Received()) {
            if (message.id == id) found.push_back(message.bytes);
        }
        return found;
    }
    std::vector<quill::WString> ChatTexts() const {
        std::vector<quill::WString> texts;
        const RoomChatLog log = scene->ChatLog();
        for (size_t i = 0; i < log.Count(); ++i) texts.push_back(log.At(i).text);
        return texts;
    }
    // Game-thread frames at 10 ms each until the clock reaches untilMs.
    void RunUntil(uint32_t& nowMs, uint32_t untilMs) {
        while (nowMs < untilMs) {
            nowMs += 10;
            scene->Update(nowMs, static_cast<int64_t>(nowMs) * 10, {});
        }
    }

    std::unique_ptr<kvtest::GameServerFixture> server;
};

TEST_F(RoomScreen, EveryPartSitsWhereTheLayoutAnchorsItAndASecondBuildStops) {
    EXPECT_EQ(scene->TopBar()->GetRect().left, 5);
    EXPECT_EQ(scene->TopBar()->GetRect().top, 4);
    EXPECT_EQ(scene->ChatArea()->GetRect().top, 768 - 218);
    EXPECT_EQ(scene->ChatArea()->GetRect().left, 0);
    EXPECT_EQ(scene->ChatLine(7)->GetRect().top, 768 - 218 + 126);
    EXPECT_EQ(scene->ChatInput()->GetRect().top, 768 - 60);
    EXPECT_EQ(scene->ChalkSlot()->GetRect().left, -4);
    EXPECT_EQ(scene->ChalkSlot()->GetRect().top, 768 - 300);
    EXPECT_EQ(scene->ItemBar()->GetRect().left, 12);
    EXPECT_EQ(scene->ItemBar()->GetRect().top, 768 - 32);
    const int32_t offsets[] = {0, 35, 68, 101, 134, 167, 200};
    for (int32_t control = SceneRoomGame::kToLobby; control <= SceneRoomGame::kRoomSetting; ++control) {
        EXPECT_EQ(scene->TopButton(control)->GetRect().left, 1024 - offsets[control]) << control;
    }
    EXPECT_EQ(scene->StartReady()->GetRect().left, 1024 - 370);
    EXPECT_EQ(scene->StartReady()->GetRect().top, 768 - 80);
    EXPECT_EQ(scene->PointRule()->GetRect().left, 1024 - 180);
    EXPECT_EQ(scene->PointRule()->GetRect().top, 30);
    EXPECT_EQ(scene->JoinButton()->GetRect().left, 1024 - 208);
    EXPECT_EQ(scene->JoinButton()->GetRect().top, 768 - 23);
    EXPECT_EQ(scene->StartBalloon()->GetRect().top, 768 - 360);
    EXPECT_FALSE(scene->Replay()->IsVisible());
    EXPECT_FALSE(scene->Invite()->IsVisible());
    EXPECT_FALSE(scene->Purchase()->IsVisible());
    EXPECT_FALSE(scene->Menu()->IsVisible());
    EXPECT_EQ(scene->TurnAnimation(0)->GetRect().left, (1024 - 150) / 2);
    EXPECT_EQ(scene->TurnAnimation(3)->GetRect().top, 768 - 206);

    // A wider screen moves the anchored parts with the edges.
    app.Scenes().ResizeAll(1280, 800);
    EXPECT_EQ(scene->TopButton(SceneRoomGame::kToLobby)->GetRect().left, 1280 - 35);
    EXPECT_EQ(scene->StartReady()->GetRect().left, 1280 - 370);
    EXPECT_EQ(scene->ChatArea()->GetRect().top, 800 - 218);

    const size_t children = scene->GetChildren().size();
    std::string reported;
    quill::SetBreakHook([&reported](const char* file, int) {
        reported = file;
        throw 1;
    });
    EXPECT_THROW(scene->Init(), int);
    quill::SetBreakHook({});
    EXPECT_EQ(reported, ".\\SceneRoomGame");
    EXPECT_EQ(scene->GetChildren().size(), children) << "nothing built twice";
}

TEST_F(RoomScreen, EnteringTheRoomWritesItsTextsAndTellsTheServer) {
    Serve();
    Connection().LocalPlayer().experience = 100;
    Enter();
    ASSERT_TRUE(server->WaitForMessage(quill::MessageId::RoomEntered).has_value());
    EXPECT_EQ(Sent(quill::MessageId::RoomEntered), (std::vector<std::vector<uint8_t>>{{5, 0, 0x87, 4, 0}}));

    const std::vector<quill::WString> lines = ChatTexts();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], u"▶ Change shot sensy : Settings -> Control");
    EXPECT_EQ(lines[2], u"◆ Game option - Indv. : 3C-1pts   Team match : 3C-2pts");
    EXPECT_EQ(lines[3], u"◆ Seed money - 1,000");
    EXPECT_EQ(scene->ChatLog().At(0).colour, SceneRoomGame::kTipColour);
    EXPECT_EQ(scene->ChatLog().At(3).colour, SceneRoomGame::kInfoColour);
    EXPECT_EQ(scene->RoomTitle()->GetText(), u"Friday carom");
    EXPECT_EQ(scene->LevelLabel()->GetText(), u"100 ~");
    EXPECT_EQ(scene->StakeLabel()->GetText(), u"Friendly") << "an open room of a game without stakes";
    EXPECT_EQ(scene->Clock().Limit(), 30);
    EXPECT_TRUE(scene->HelpShownOnEntry()) << "a newcomer sees the help";
    EXPECT_TRUE(scene->Help()->IsVisible());
    EXPECT_EQ(scene->Table()->Equipment().GameMode(), 0);
    ASSERT_NE(scene->Table()->RenderStep().CurrentCue(), nullptr) << "a cue in hand";

    // The chat box shows the four lines at its bottom.
    EXPECT_FALSE(scene->ChatLine(3)->IsVisible());
    EXPECT_TRUE(scene->ChatLine(4)->IsVisible());
    EXPECT_EQ(scene->ChatText(7)->GetText(), u"◆ Seed money - 1,000");
}

TEST_F(RoomScreen, TextsFollowTheRoomsGameAndStake) {
    quill::RoomInfo& room = Connection().GetRoomInfo();
    room.gameType = 5;
    room.stake = 0;
    room.minHandicap = 0;
    room.maxHandicap = 300;
    room.optionFlags = quill::RoomInfo::kHalfGameFlag;
    room.gameType = 3;
    Enter();
    std::vector<quill::WString> lines = ChatTexts();
    EXPECT_EQ(lines[2], u"◆ Game option - Indv. : Bank-1pts Team match : Bank-2pts");
    EXPECT_EQ(lines[3], u"◆ Friendly game - no gamble");
    EXPECT_EQ(lines[4], u"◆ Half Game. (half of all players handi.)");
    EXPECT_EQ(scene->LevelLabel()->GetText(), u"~ 300");
    EXPECT_TRUE(scene->HalfGameLabel()->IsVisible());

    room.gameType = 10;
    room.maxHandicap = 0;
    room.optionFlags = 0;
    scene->Activate();
    EXPECT_FALSE(scene->LevelLabel()->IsVisible()) << "8-ball rooms have no level range";
    room.gameType = 2;
    room.stake = 5000;
    scene->Activate();
    EXPECT_EQ(scene->StakeLabel()->GetText(), u"5,000");
    EXPECT_EQ(scene->LevelLabel()->GetText(), u"No limit");
}

TEST_F(RoomScreen, TheTurnWarnsOnceAndTimesOutOncePerTurn) {
    Serve();
    Enter();
    const size_t queued = SoundQueue::Instance().Size();
    scene->SetGameRunning(true);
    scene->SetLocalSeat(1);
    uint32_t now = 1000000;
    scene->BeginTurn(1, now);
    ASSERT_TRUE(scene->Table()->Turn().IsControlEnabled());
    RunUntil(now, 1000000 + 20000);
    EXPECT_EQ(SoundQueue::Instance().Size(), queued) << "no warning before limit - 10";
    Image& mark = *scene->Board()->WarningMark();
    mark.Show(true);  // left by an earlier turn's countdown
    RunUntil(now, 1000000 + 26000);
    EXPECT_EQ(SoundQueue::Instance().Size(), queued + 1) << "one warning";
    EXPECT_FALSE(mark.IsVisible()) << "the spoken warning takes the countdown's mark";
    EXPECT_EQ(scene->Board()->Remaining(), 4);
    RunUntil(now, 1000000 + 29990);
    EXPECT_FALSE(scene->Clock().TimeOutSent());
    RunUntil(now, 1000000 + 45000);
    EXPECT_TRUE(scene->Clock().TimeOutSent());
    EXPECT_FALSE(scene->Table()->Turn().IsControlEnabled());
    EXPECT_EQ(scene->EventsPending(), 1u) << "the render thread lets the held keys go";
    scene->Render(nullptr, false);
    EXPECT_EQ(scene->EventsPending(), 0u);
    ASSERT_TRUE(server->WaitForMessage(quill::MessageId::TurnTimeout).has_value());
    EXPECT_EQ(Sent(quill::MessageId::TurnTimeout).size(), 1u);

    // The next turn runs out again; a dropped shooter's turn is ended by the master.
    scene->BeginTurn(2, now);
    scene->SetMasterSeat(1);
    scene->MarkDropped(2, true);
    RunUntil(now, now + 31000);
    server->WaitForMessages(quill::MessageId::TurnTimeout, 2);
    EXPECT_EQ(Sent(quill::MessageId::TurnTimeout).size(), 2u);
    SoundQueue::Instance().Update(nullptr);
}

TEST_F(RoomScreen, TheNewMessageIconBlinksDownToAThirdInTheRoom) {
    Enter();
    app.Scenes().GetMessenger()->AttachToScreen(*scene);
    Widget& icon = *app.Scenes().GetMessenger()->AlarmIcon();
    icon.Show(true);  // a line waits unread
    scene->Update(1500, 15000, {});
    EXPECT_FLOAT_EQ(icon.GetAlpha(), 0.3f);
    for (int tick = 0; tick < 2; ++tick) scene->TickWidgets(3500);  // the icon's own blink dims further
    EXPECT_FLOAT_EQ(icon.GetAlpha(), 0.3f);
    scene->Update(4200, 42000, {});
    EXPECT_FLOAT_EQ(icon.GetAlpha(), 1.0f);
}

TEST_F(RoomScreen, LeavingGivesTheSpentItemsBackToThePool) {
    Enter();
    quill::PlayerState& player = Connection().LocalPlayer();
    const int32_t inUse = Connection().Items().ItemsInUse();
    const auto add = [&](uint32_t key, uint32_t state, int16_t remaining) {
        quill::InventoryItem* item = Connection().AllocItem();
        item->typeCode = 4510;
        item->kind = 6;
        item->state = state;
        item->remaining = remaining;
        player.AddItem(key, 0, item);
    };
    add(70, 3, 0);
    add(71, 3, 5);
    add(72, 3, 0);
    add(73, 1, 0);
    EXPECT_EQ(Connection().Items().ItemsInUse(), inUse + 4);
    scene->OnLeave(nullptr, nullptr);
    EXPECT_EQ(player.FindItem(70, 0), nullptr);
    EXPECT_EQ(player.FindItem(72, 0), nullptr) << "every spent item, not one per leave";
    EXPECT_NE(player.FindItem(71, 0), nullptr);
    EXPECT_NE(player.FindItem(73, 0), nullptr) << "a timed item is not counted out";
    EXPECT_EQ(Connection().Items().ItemsInUse(), inUse + 2) << "back in the pool";
    EXPECT_EQ(scene->Table(), nullptr);
    EXPECT_TRUE(scene->ReceivedLines().empty());
}

TEST_F(RoomScreen, TheChatKeepsItsLinesAndScrolls) {
    Enter();
    for (int i = 0; i < 30; ++i) scene->AddChatLine(quill::Format(u"line %d", i), 0xFF00FF00);
    const RoomChatLog log = scene->ChatLog();
    EXPECT_EQ(log.Count(), 34u);
    EXPECT_EQ(scene->ChatScroll()->GetCount(), 27);
    EXPECT_EQ(scene->ChatScroll()->GetPosition(), 26) << "at the end";
    // The box is filled by the next tenth update, once for all the lines written meanwhile.
    uint32_t now = 1000;
    RunUntil(now, 1100);
    for (size_t n = 0; n < SceneRoomGame::kChatLines; ++n) EXPECT_TRUE(scene->ChatLine(n)->IsVisible()) << n;
    EXPECT_EQ(scene->ChatText(7)->GetText(), u"line 29");
    Routed(*scene, scene->ChatScroll(), 1, 0);
    EXPECT_EQ(scene->ChatText(0)->GetText(), u"▶ Change shot sensy : Settings -> Control");
    // A long line is read whole: no label runs under the scroll bar.
    for (size_t n = 0; n < SceneRoomGame::kChatLines; ++n) {
        EXPECT_LT(scene->ChatText(n)->GetRect().right, scene->ChatScroll()->GetRect().left) << n;
    }
}

// Leaving a room whose chat the player scrolled up and quick-joining the next: the new room's lines show, and
// its later lines follow at the end.
TEST_F(RoomScreen, ASecondRoomShowsItsOwnChat) {
    Enter();
    for (int i = 0; i < 30; ++i) scene->AddChatLine(quill::Format(u"first room %d", i), 0xFF00FF00);
    Routed(*scene, scene->ChatScroll(), 1, 0);
    scene->OnLeave(nullptr, nullptr);
    Enter();
    scene->AddChatLine(u"second room", 0xFF00FF00);
    uint32_t now = 1000;
    RunUntil(now, 1100);
    const std::vector<quill::WString> lines = ChatTexts();
    ASSERT_EQ(lines.size(), 5u) << "the entry lines and the new room's line";
    EXPECT_EQ(lines.back(), u"second room");
    EXPECT_EQ(scene->ChatText(7)->GetText(), u"second room");
    EXPECT_FALSE(scene->ChatLine(2)->IsVisible()) << "five lines fill the bottom of the box";
    EXPECT_EQ(scene->ChatScroll()->GetCount(), 1);
}

TEST_F(RoomScreen, TheItemWindowsPurchaseGoesOutAsItsRequest) {
    Serve();
    Enter();
    // The purchase window's card chooses an offer.
    PurchaseGiftWindow& window = *scene->PurchaseGift();
    window.SetVisible(true);
    ASSERT_GT(window.OfferCount(), 0);
    Routed(window, window.Card(0), 0, 0);
    ASSERT_NE(window.SelectedOffer(), nullptr);
    Connection().LocalPlayer().cueMoney = 1000000;
    Connection().LocalPlayer().money = 1000000;

    scene->OnMessage(quill::AppEventId::ItemDialogResult, 1, 0);
    PurchaseDialog& dialog = *scene->Purchase();
    ASSERT_TRUE(dialog.IsVisible());
    EXPECT_EQ(dialog.Item().id, window.SelectedOffer()->id);
    Routed(dialog, dialog.OkButton(), 0, 0);
    app.DrainPostedEvents();
    ASSERT_TRUE(server->WaitForMessage(quill::MessageId::ItemBuy).has_value());
    quill::Packet request = server->WaitForMessage(quill::MessageId::ItemBuy)->Read();
    EXPECT_EQ(request.ReadU32(), window.SelectedOffer()->id);
    EXPECT_EQ(request.ReadU8(), 1);
    EXPECT_FALSE(dialog.IsVisible());

    // A gold item is not sold to a player in a running game.
    scene->SetGameRunning(true);
    scene->SetLocalSeat(1);
    for (size_t card = 0; card < PurchaseGiftWindow::kCards; ++card) {
        Routed(window, window.Card(card), 0, 0);
        if (window.SelectedOffer() != nullptr && window.SelectedOffer()->currency != 1) break;
    }
    if (window.SelectedOffer() != nullptr && window.SelectedOffer()->currency != 1) {
        scene->OnMessage(quill::AppEventId::ItemDialogResult, 1, 0);
        EXPECT_FALSE(dialog.IsVisible());
        EXPECT_EQ(app.Scenes().GetMessageBox()->Line(0).GetText(),
                  u"Gold item cannot be purchased while playing the game.");
    }
}

TEST_F(RoomScreen, TheServersInvitableUsersReachTheInvitationWindow) {
    Enter();
    for (Widget* child : scene->GetChildren()) {
        if (child->GetId() == SceneRoomGame::kInvite) Routed(*scene, child, 0, 0);
    }
    ASSERT_TRUE(scene->Invite()->IsVisible());
    Receive(kvtest::InvitableUsersListMessage({{.key = 5, .userId = 9, .level = 3, .nickname = u"Yu", .number = 2}}));
    EXPECT_TRUE(scene->Invite()->Row(0)->IsVisible());
    EXPECT_EQ(scene->Invite()->Row(0)->Nickname()->GetText(), u"Yu");
}

}  // namespace
}  // namespace kestrovan::test
