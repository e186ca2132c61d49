// The lobby screen on a headless App connected to the loopback server: what it sends on activation and for
// the player's actions (bytes as the server receives them), how the server's messages fill its rooms,
// players and chat (on the test thread, or through the connection's dispatch thread), the join guards,
// following a player, the tutorial gate, expired items, the ways to the shop and the gallery, web pages and
// yesterday's best shots.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/gamedata/ItemCatalogue.h"
#include "client/scenes/common/AwaitedRequest.h"
#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/lobby/RoomCreateDialog.h"
#include "client/scenes/common/DemoShots.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/Window.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "platform/system/Clock.h"
#include "tests/client/scenes/lobby/LobbyScreen.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;
using Bytes = std::vector<uint8_t>;

TEST_F(LobbyScreen, ActivationSendsLobbyEnterAndWritesTheChannelAndNotices) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    EXPECT_EQ(Sent(MessageId::LobbyEnter), (Bytes{5, 0, 0x5B, 0x04, 0}));
    EXPECT_EQ(lobby->ChannelLabel()->GetText(), u"Ch-3 (Pool)");
    EXPECT_EQ(lobby->TitleLabel()->GetText(),
              app.IsFullScreen() ? u"- channel 1-3  (FullScreen)" : u"- channel 1-3  (Windowed)");
    const std::vector<LobbyChatLine> lines = lobby->ChatLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().colour, 0xFF00FF00u);
    EXPECT_EQ(lines.back().text.substr(0, 30), u"** Gold limit of this level : ");
    EXPECT_EQ(lobby->ActivationCount(), 1);
    EXPECT_FALSE(lobby->IsJoinPending());
}

TEST_F(LobbyScreen, RoomsFillTheRowsAndAClickJoinsOnceUntilTheAnswer) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    Receive(LobbyMessage(MessageId::RoomListReset, [](quill::Packet&) {}));
    Receive(RoomEntry(7, 2, 4));
    Receive(RoomEntry(9, 4, 4, 2));
    Receive(RoomEntry(11, 1, 2, 0, 3, 1));
    Receive(RoomEntry(300, 1, 2));  // no such room: ignored
    EXPECT_EQ(lobby->RoomRow(0)->GetRoomNumber(), 7);
    EXPECT_EQ(lobby->RoomRow(1)->GetRoomNumber(), 11);
    EXPECT_EQ(lobby->RoomRow(2)->GetRoomNumber(), 9);  // full and playing: last
    EXPECT_EQ(lobby->RoomRow(3)->GetRoomNumber(), -1);
    EXPECT_EQ(lobby->RoomScroll()->GetCount(), 1);

    // A locked room opens the password prompt and sends nothing.
    lobby->OnEvent(lobby->RoomRow(1), 0, 0);
    EXPECT_TRUE(lobby->PasswordPopup()->IsVisible());
    EXPECT_FALSE(lobby->IsJoinPending());

    lobby->OnEvent(lobby->RoomRow(0), 0, 0);
    EXPECT_TRUE(lobby->IsJoinPending());
    EXPECT_EQ(Sent(MessageId::JoinRoom), (Bytes{7, 0, 0x6C, 0x04, 7, 0, 0}));
    lobby->OnEvent(lobby->RoomRow(2), 0, 0);
    lobby->QuickJoin();
    EXPECT_EQ(CountSent(MessageId::JoinRoom), 1u) << "nothing while a join is unanswered";

    Receive(LobbyMessage(MessageId::JoinRoomResult, [](quill::Packet& p) { p.WriteU32(13); }));
    EXPECT_FALSE(lobby->IsJoinPending());
    EXPECT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"The room is fuul.");

    // A join that cannot be sent (every packet taken) waits for nothing and says so.
    std::vector<quill::Packet*> taken;
    while (quill::Packet* packet = app.Connection()->AllocPacket()) taken.push_back(packet);
    lobby->OnEvent(lobby->RoomRow(0), 0, 0);
    for (quill::Packet* packet : taken) app.Connection()->FreePacket(packet);
    EXPECT_FALSE(lobby->IsJoinPending());
    EXPECT_EQ(Box().Line(0).GetText(), AwaitedRequest::kNotSent);
    EXPECT_EQ(CountSent(MessageId::JoinRoom), 1u);

    // The password typed into the prompt goes with the room's number.
    lobby->PasswordPopup()->SetRoom(11);
    lobby->PasswordPopup()->Edit()->SetText(u"abcd");
    lobby->PasswordPopup()->OnEvent(lobby->PasswordPopup()->Edit(), EditBox::kSubmitEvent, 0);
    lobby->OnMessage(quill::AppEventId::RoomPasswordEntered, 0, 0);
    EXPECT_EQ(Sent(MessageId::JoinRoomWithPassword),
              (Bytes{19, 0, 0x6D, 0x04, 11, 0, 0, 8, 0, 'a', 0, 'b', 0, 'c', 0, 'd', 0, 0, 0}));

    Receive(LobbyMessage(MessageId::JoinRoomResult, [](quill::Packet& p) {
        p.WriteU32(0).WriteU8(0).WriteU8(10).WriteU16(1).WriteU32(2).WriteU32(3).WriteU8(0xFF).WriteU8(40);
        p.WriteU8(8).WriteU8(1).WriteU32(500).WriteU16(1501).WriteU16(2200).WriteU16(0).WriteU16(50);
    }));
    // The room screen gets the joined room's number, title and lock from the list, its settings from the answer.
    const quill::RoomInfo& joined = app.Connection()->GetRoomInfo();
    EXPECT_EQ(joined.gameType, 10);
    EXPECT_EQ(joined.maxHandicap, 50);
    EXPECT_EQ(joined.roomNumber, 11);
    EXPECT_EQ(joined.title, u"Test room");
    EXPECT_EQ(joined.passwordFlag, 1);
    EXPECT_EQ(joined.password, u"abcd");
    EXPECT_EQ(joined.maxPlayers, 2);
    EXPECT_EQ(lobby->NextSceneId(), SceneId::RoomGame);
}

TEST_F(LobbyScreen, MinorsAndRoomsOutsideTheTableAreRefusedWithoutARequest) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    Receive(RoomEntry(5, 1, 4, 0, 5));
    app.Connection()->LocalPlayer().age = 15;
    lobby->JoinRoom(5);
    EXPECT_EQ(Box().Line(0).GetText(), u"청소년은 참여할 수 없는 종목입니다.");
    lobby->OnMessage(quill::AppEventId::GoToRoom, 500, 0);
    lobby->OnMessage(quill::AppEventId::GoToRoom, 0, 0);
    EXPECT_EQ(CountSent(MessageId::JoinRoom), 0u);
    EXPECT_FALSE(lobby->IsJoinPending());
}

TEST_F(LobbyScreen, PlayersAreListedInOrderAndAFullPoolDropsTheRest) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    Receive(UserAdded(1, u"low", 5));
    Receive(UserAdded(2, u"high", 50, 7));
    EXPECT_EQ(lobby->UserRow(0)->Nickname()->GetText(), u"high");
    EXPECT_EQ(lobby->UserRow(0)->Location()->GetText(), u"Room 7");
    EXPECT_EQ(lobby->UserRow(1)->Nickname()->GetText(), u"low");
    Receive(LobbyMessage(MessageId::LobbyUserMoved, [](quill::Packet& p) { p.WriteI64(1).WriteU16(0xFFFE); }));
    EXPECT_EQ(lobby->UserRow(1)->Location()->GetText(), u"Practice");
    Receive(LobbyMessage(MessageId::LobbyUserLeft, [](quill::Packet& p) { p.WriteI64(2); }));
    EXPECT_EQ(lobby->UserCount(), 1);
    for (int64_t id = 100; id < 800; ++id) Receive(UserAdded(id, u"crowd", 1));
    EXPECT_EQ(lobby->UserCount(), 604);
    Receive(LobbyMessage(MessageId::LobbyUserRemoved, [](quill::Packet& p) { p.WriteU32(0); }));
    EXPECT_EQ(lobby->UserCount(), 0);
    EXPECT_EQ(lobby->UserRecordsInUse(), 0);
    EXPECT_FALSE(lobby->UserRow(0)->IsVisible());
}

TEST_F(LobbyScreen, ContextMenuOnOnesOwnRowOffersOnlyViewInfo) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    Receive(UserAdded(0x77, u"me", 9));
    Receive(UserAdded(0x88, u"you", 8, 4));
    lobby->OnEvent(lobby->UserRow(0), 0, 0);
    EXPECT_TRUE(lobby->ContextMenu()->IsVisible());
    EXPECT_FALSE(lobby->ContextEntry(1)->IsVisible());
    EXPECT_FALSE(lobby->ContextEntry(2)->IsVisible());
    lobby->OnEvent(lobby->UserRow(1), 0, 0);
    EXPECT_TRUE(lobby->ContextEntry(1)->IsVisible());
    lobby->OnEvent(lobby->ContextEntry(0), 0, 0);
    EXPECT_FALSE(lobby->ContextMenu()->IsVisible());
    const Bytes request = Sent(MessageId::UserInfoRequest);
    ASSERT_GE(request.size(), 13u);
    EXPECT_EQ(request[4], 0xFF);
    EXPECT_EQ(request[5], 0x88);
    // "Join with" a player in a room of this channel joins the room at once.
    lobby->OnEvent(lobby->UserRow(1), 0, 0);
    lobby->OnEvent(lobby->ContextEntry(1), 0, 0);
    EXPECT_EQ(app.Connection()->JoinTarget().place, 4);
    Receive(RoomEntry(4, 1, 4));
    lobby->OnMessage(quill::AppEventId::JoinWith, 0, 0);
    EXPECT_EQ(Sent(MessageId::JoinRoom), (Bytes{7, 0, 0x6C, 0x04, 4, 0, 0}));
}

TEST_F(LobbyScreen, ChatIsSentFloodsAreRefusedAndBansAreShown) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    uint32_t now = 1000000;
    platform::SetTickSource([&] { return now; });
    Enter();
    EXPECT_TRUE(lobby->SendChat(u"hi"));
    EXPECT_EQ(Sent(MessageId::LobbyChatSend), (Bytes{12, 0, 10, 0, 4, 0, 'h', 0, 'i', 0, 0, 0}));
    now += 1000;
    EXPECT_TRUE(lobby->SendChat(u"again"));
    now += 1000;
    EXPECT_FALSE(lobby->SendChat(u"third"));
    EXPECT_EQ(lobby->ChatLines().back().text, u"No Spamming!");
    now += 2000;
    EXPECT_TRUE(lobby->SendChat(u"later"));
    EXPECT_EQ(CountSent(MessageId::LobbyChatSend), 3u);
    // Slot numbers outside the six chat slots send nothing.
    lobby->OnMessage(quill::AppEventId::ChatSubmit, 6, 0);
    EXPECT_EQ(CountSent(MessageId::LobbyChatSend), 3u);
    app.Connection()->LocalPlayer().status = 3;
    EXPECT_TRUE(lobby->SendChat(u"banned"));
    EXPECT_EQ(lobby->ChatLines().back().colour, 0xFFFF0000u);
    platform::SetTickSource(nullptr);

    // A flood of lines is kept at once and laid out once, by the next update, which shows the last of them.
    const auto shown = [&](quill::WStringView text) {
        bool found = false;
        for (size_t k = 0; k < SceneLobby::kChatLines; ++k) found |= lobby->ChatLineLabel(k)->GetText() == text;
        return found;
    };
    for (int n = 0; n < 300; ++n) {
        Receive(LobbyMessage(MessageId::LobbyChat, [n](quill::Packet& p) {
            p.WriteWString(u"Ace").WriteWString(quill::Format(u"gg %d", n));
        }));
    }
    EXPECT_EQ(lobby->ChatLines().back().text, u"Ace : gg 299");
    EXPECT_FALSE(shown(u"Ace : gg 299"));
    app.Scenes().UpdateCurrentScene(0, 0);
    EXPECT_TRUE(shown(u"Ace : gg 299"));
    Receive(LobbyMessage(MessageId::ChatBanned, [](quill::Packet& p) { p.WriteU8(1); }));
    EXPECT_EQ(lobby->ChatLines().back().text, u"Enter '/unblock nickname' to cancel blocking.");
    Receive(LobbyMessage(MessageId::LobbyNotice, [](quill::Packet& p) { p.WriteU8(7); }));
    EXPECT_EQ(lobby->ChatLines().back().text, u"+ Done");
}

// A chat macro (Alt+1 to Alt+5, Alt+`) types its text into the chat input that has the focus; with no box
// focused the lobby sends it.
TEST_F(LobbyScreen, ChatMacrosTypeIntoTheFocusedInputOrAreSent) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    app.Connection()->LocalPlayer().chatTexts[1] = u"nice shot";
    Enter();
    ASSERT_TRUE(lobby->ChatInput()->IsFocused()) << "the first entry focuses the chat input";
    app.SendChatMacro(1);
    app.DrainPostedEvents();
    EXPECT_EQ(lobby->ChatInput()->GetText(), u"nice shot");
    EXPECT_EQ(CountSent(MessageId::LobbyChatSend), 0u);
    lobby->ChatInput()->SetFocus(false);
    app.SendChatMacro(1);
    app.DrainPostedEvents();
    EXPECT_EQ(CountSent(MessageId::LobbyChatSend), 1u);
}

TEST_F(LobbyScreen, TutorialGateSendsANewPlayerToSchoolThenAsks) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    app.Connection()->LocalPlayer().tutorialDone = 0;
    Enter();
    Receive(LobbyMessage(MessageId::LobbyEntered, [](quill::Packet&) {}));
    EXPECT_EQ(Sent(MessageId::EnterSchool), (Bytes{5, 0, 0x70, 0x04, 0}));
    EXPECT_EQ(lobby->NextSceneId(), SceneId::School);
    lobby->CancelPendingChange();
    Enter();
    Receive(LobbyMessage(MessageId::LobbyEntered, [](quill::Packet&) {}));
    EXPECT_TRUE(Box().IsVisible());
    EXPECT_EQ(Box().Line(0).GetText(), u"Other features cannot be used unless the tutorial is done.");
    EXPECT_EQ(Box().GetEventCode(), static_cast<int32_t>(quill::AppEventId::TutorialGateOk));
}

TEST_F(LobbyScreen, AFollowedPlayerInAnotherChannelLeadsThroughTheChannelList) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    JoinWithTarget& target = app.Connection()->JoinTarget();
    target.pending = 1;
    target.channel = 5;
    target.place = 12;
    lobby->OnMessage(quill::AppEventId::JoinWith, 0, 0);
    EXPECT_EQ(Sent(MessageId::LeaveChannel), (Bytes{5, 0, 0x5A, 0x04, 0}));
    EXPECT_EQ(lobby->NextSceneId(), SceneId::Login);
    EXPECT_EQ(target.pending, 1) << "the next channel's lobby carries it on";
    // A shop target is spent when the lobby is confirmed and leads to the shop.
    lobby->CancelPendingChange();
    target.place = JoinWithTarget::kShop;
    Receive(LobbyMessage(MessageId::LobbyEntered, [](quill::Packet&) {}));
    EXPECT_EQ(Sent(MessageId::EnterShop), (Bytes{5, 0, 0x78, 0x04, 0}));
    EXPECT_EQ(target.pending, 0);
}

TEST_F(LobbyScreen, ExpiredItemsAreCountedRemovedAndTheirBoxAnswered) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    GameConnection& connection = *app.Connection();
    const int32_t itemsBefore = connection.Items().ItemsInUse();
    for (uint32_t k = 0; k < 4; ++k) {
        quill::InventoryItem* item = connection.AllocItem();
        ASSERT_NE(item, nullptr);
        item->typeCode = 9999;  // no catalogue record: an empty name
        item->inUse = 4;
        connection.LocalPlayer().AddItem(900 + k, 0, item);
    }
    lobby->OnMessage(quill::AppEventId::ExpiredItemsCheck, 0, 0);
    EXPECT_TRUE(SecondBox().IsVisible());
    EXPECT_EQ(SecondBox().Line(0).GetText(), u"There are 4 expired items.");
    EXPECT_EQ(SecondBox().Line(3).GetText(), u" ...");
    EXPECT_EQ(SecondBox().Line(4).GetText(), u"Do you want to go to the item mall?");
    EXPECT_EQ(connection.Items().ItemsInUse(), itemsBefore) << "the items went back to the pool";
    lobby->OnMessage(quill::AppEventId::LobbyListRequest2, 2053, 0);
    EXPECT_EQ(Sent(MessageId::ExpiredItemsSeen), (Bytes{5, 0, 0x6B, 0x00, 0}));
    EXPECT_EQ(CountSent(MessageId::EnterShop), 0u);
}

// The dispatch thread fills the inventory under the player's lock: the lobby's look for expired items waits
// for it and so sees the item that was added meanwhile.
TEST_F(LobbyScreen, ExpiredItemsAreLookedForUnderThePlayersLock) {
    ASSERT_TRUE(connected);
    Enter();
    GameConnection& connection = *app.Connection();
    quill::PlayerState& player = connection.LocalPlayer();
    quill::InventoryItem* item = connection.AllocItem();
    ASSERT_NE(item, nullptr);
    item->typeCode = 9999;
    item->inUse = 4;
    // The check runs on a thread that plays the main thread meanwhile; the test's thread plays the dispatch
    // thread.
    ThreadContract& threads = app.Scenes().Threads();
    std::thread check;
    {
        quill::ScopedLock hold(player.GetLock());
        check = std::thread([&] {
            threads.Register(ProgramThread::Main);
            app.Scenes().OnMessage(quill::AppEventId::ExpiredItemsCheck, 0, 0);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        player.AddItem(900, 0, item);
    }
    check.join();
    threads.Register(ProgramThread::Main);
    EXPECT_TRUE(SecondBox().IsVisible()) << "the item added while the lobby waited";
    EXPECT_EQ(SecondBox().Line(0).GetText(), u"There are 1 expired items.");
    EXPECT_EQ(player.FindItem(900, 0), nullptr);
}

// "Item Shop" takes the lobby's way to the shop (expired items still owned are told seen first), "Shot
// Gallery" switches to the gallery; neither leaves while a join waits for its answer.
TEST_F(LobbyScreen, TheShopAndGalleryButtonsLeadToTheirScreensUnlessAJoinIsPending) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    GameConnection& connection = *app.Connection();
    quill::InventoryItem* expired = connection.AllocItem();
    ASSERT_NE(expired, nullptr);
    expired->typeCode = 1101;
    expired->inUse = 4;
    connection.LocalPlayer().AddItem(900, 0, expired);
    const auto press = [&](int32_t id) {
        Button button;
        button.SetId(id);
        lobby->OnEvent(&button, 0, 0);
    };

    press(SceneLobby::kItemShop);
    EXPECT_FALSE(Box().IsVisible()) << "no notice";
    EXPECT_EQ(Sent(MessageId::ExpiredItemsSeen), (Bytes{5, 0, 0x6B, 0x00, 0}));
    EXPECT_EQ(Sent(MessageId::EnterShop), (Bytes{5, 0, 0x78, 0x04, 0}));
    EXPECT_EQ(lobby->NextSceneId(), SceneId::Shop);
    lobby->CancelPendingChange();

    press(SceneLobby::kShotGallery);
    EXPECT_FALSE(Box().IsVisible());
    EXPECT_TRUE(lobby->IsChangePending());
    EXPECT_EQ(lobby->NextSceneId(), SceneId::ShotGallery);
    lobby->CancelPendingChange();

    Receive(LobbyMessage(MessageId::RoomListReset, [](quill::Packet&) {}));
    Receive(RoomEntry(7, 2, 4));
    lobby->OnEvent(lobby->RoomRow(0), 0, 0);
    ASSERT_TRUE(lobby->IsJoinPending());
    press(SceneLobby::kItemShop);
    press(SceneLobby::kShotGallery);
    EXPECT_FALSE(lobby->IsChangePending());
    EXPECT_EQ(CountSent(MessageId::EnterShop), 1u);
}

TEST_F(LobbyScreen, TwoWebRequestsOpenOneWindowUntilItCloses) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    lobby->OnMessage(quill::AppEventId::LobbyQueueForward, 1, 42);
    lobby->OnMessage(quill::AppEventId::LobbyQueueForward, 2, 43);
    EXPECT_FALSE(lobby->IsWebWindowOpen()) << "the game thread only queues";
    lobby->Render(nullptr, false);
    EXPECT_TRUE(lobby->IsWebWindowOpen());
    EXPECT_EQ(lobby->WebWindowsOpened(), 1);
    EXPECT_EQ(lobby->LastWebPage(),
              u"/client/client_main.asp?forward_url=/client/notice/client_notice_view.asp%3FID=42");
    lobby->OnMessage(quill::AppEventId::WebWindowClosed, 0, 0);
    EXPECT_FALSE(lobby->IsWebWindowOpen());
}

TEST_F(LobbyScreen, YesterdaysBestShotsCaptionAndQueueTheirReplay) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    const std::string record(DemoShots()[0].shot);
    app.Connection()->SetBestShots({{u"Ace", record}, {u"Deuce", record}});
    Enter();
    EXPECT_TRUE(lobby->BestShotLabel()->IsVisible());
    EXPECT_EQ(lobby->BestShotLabel()->GetText(), u"1st of Yesterday Best by Ace");
    EXPECT_TRUE(lobby->IsShotReloadPending());
}

TEST_F(LobbyScreen, ServerMessagesArriveThroughTheDispatchThread) {
    ASSERT_TRUE(connected);
    app.Connection()->StartDispatchThread();
    Enter();
    server.Send(RoomEntry(8, 1, 4));
    server.Send(UserAdded(5, u"remote", 3));
    server.Send(LobbyMessage(MessageId::LobbyChat, [](quill::Packet& p) { p.WriteWString(u"Bo").WriteWString(u"yo"); }));
    EXPECT_TRUE(Eventually([&] { return lobby->RoomRow(0)->GetRoomNumber() == 8; }));
    EXPECT_TRUE(Eventually([&] { return lobby->UserCount() == 1; }));
    EXPECT_TRUE(Eventually([&] { return !lobby->ChatLines().empty() && lobby->ChatLines().back().text == u"Bo : yo"; }));
}

}  // namespace
}  // namespace kestrovan::test

namespace kestrovan::test {
namespace {

TEST_F(LobbyScreen, CreateNewGameShowsTheDialogAndItsConfirmationSendsCreateRoom) {
    const quill::ScopedLock turn = MainThreadTurn();  // no other thread drives the screen
    ASSERT_TRUE(connected);
    Enter();
    lobby->OnEvent(lobby->CreateButton(), 0, 0);
    EXPECT_TRUE(lobby->CreateDialog()->IsVisible());
    lobby->CreateDialog()->TitleEdit()->SetText(u"Our table");
    lobby->CreateDialog()->OnEvent(lobby->CreateDialog()->OkButton(), 0, 0);
    lobby->OnMessage(quill::AppEventId::CreateRoomConfirm, 0, 0);
    const std::vector<uint8_t> request = Sent(quill::MessageId::CreateRoom);
    ASSERT_GE(request.size(), 5u);
    EXPECT_EQ(request[2], 0x6A);
    EXPECT_EQ(request[3], 0x04);
    EXPECT_EQ(lobby->NextSceneId(), 0) << "the lobby waits for the server's answer";

    // The accepted room comes back as a join: the room screen shows the title the player gave it.
    Receive(LobbyMessage(MessageId::JoinRoomResult, [](quill::Packet& p) {
        p.WriteU32(0).WriteU8(0).WriteU8(0).WriteU16(1).WriteU32(0).WriteU32(0).WriteU8(0xFF).WriteU8(40);
        p.WriteU8(0).WriteU8(1).WriteU32(0).WriteU16(1020).WriteU16(2000).WriteU16(0).WriteU16(0);
    }));
    EXPECT_EQ(app.Connection()->GetRoomInfo().title, u"Our table");
    EXPECT_EQ(app.Connection()->GetRoomInfo().playerCount, 1);
    EXPECT_EQ(lobby->NextSceneId(), SceneId::RoomGame);
}

}  // namespace
}  // namespace kestrovan::test
