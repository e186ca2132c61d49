// The lobby against the stand-in game server's lobby script, every answer arriving through the connection's
// dispatch thread as in the program: LobbyEnter brings the channel's rooms (waiting, playing, locked) and
// players and LobbyEntered; a chat line comes back as the server echoes it; joins get JoinRoomResult 0 with
// the room's settings or the refusals 5 and 12 to 16 with their texts; CreateRoom gets a refusal or the join
// of the new room; LeaveChannel leads to the channel list.
#include <gtest/gtest.h>

#include "QuillLib/core/AppEventId.h"
#include "client/scenes/common/NoticeBox.h"
#include "client/scenes/common/PlayerListRow.h"
#include "client/scenes/common/RoomListRow.h"
#include "client/scenes/common/RoomPasswordPopup.h"
#include "client/scenes/lobby/RoomCreateDialog.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/TextLabel.h"
#include "tests/client/scenes/lobby/LobbyScreen.h"
#include "tests/support/net/GameServerScripts.h"

namespace kestrovan::test {
namespace {

using quill::MessageId;

class LobbyServer : public LobbyScreen {
protected:
    LobbyServer() : LobbyScreen(true) {}
    // The lobby entered and listed by the script; false when the lists did not come. A chat line sent after
    // LobbyEnter is answered once the script's answers are out, so when its echo shows LobbyEntered has been
    // handled too, and the dispatch thread no longer writes the rows the test then reads.
    bool EnterListed(const kvtest::LobbyScript& script = {}) {
        kvtest::InstallLobbyScript(server, script);
        Enter();
        GameConnection& connection = *app.Connection();
        quill::Packet* mark = connection.AllocPacket();
        if (mark == nullptr) return false;
        mark->Init(MessageId::LobbyChatSend).WriteWString(u"listed");
        connection.SendPacket(mark);
        connection.FreePacket(mark);
        const quill::WString echo = script.nickname + u" : listed";
        return Eventually([&] {
            const std::vector<LobbyChatLine> lines = lobby->ChatLines();
            return !lines.empty() && lines.back().text == echo;
        });
    }
    // Joins a room by its row's click and waits for the answer to clear the pending join.
    void JoinAndWait(int32_t room) {
        {
            const quill::ScopedLock turn = MainThreadTurn();
            lobby->JoinRoom(room);
        }
        ASSERT_TRUE(Eventually([&] { return !lobby->IsJoinPending(); }));
    }
    bool BoxSays(const char16_t* line) {
        return Eventually([&] { return Box().IsVisible() && Box().Line(0).GetText() == line; });
    }
};

TEST_F(LobbyServer, EnteringListsTheRoomsAndPlayersAndChatComesBackAsEchoed) {
    ASSERT_TRUE(connected);
    ASSERT_TRUE(EnterListed());
    // Waiting first: the waiting room, the locked one (not full), then the full room with its game running.
    EXPECT_EQ(lobby->RoomRow(0)->GetRoomNumber(), 1);
    EXPECT_EQ(lobby->RoomRow(1)->GetRoomNumber(), 3);
    EXPECT_EQ(lobby->RoomRow(2)->GetRoomNumber(), 2);
    EXPECT_EQ(lobby->RoomRow(3)->GetRoomNumber(), -1);
    // Players by sort value, highest first; the rank above 89 ahead of them all.
    EXPECT_TRUE(Eventually([&] { return lobby->UserRow(0)->HasPlayer(); }));
    EXPECT_EQ(lobby->UserRow(0)->Player().nickname, u"Masse");
    EXPECT_EQ(lobby->UserRow(1)->Player().nickname, u"Cushion");
    EXPECT_EQ(lobby->UserRow(2)->Player().nickname, u"Carom");
    EXPECT_FALSE(lobby->UserRow(4)->HasPlayer());

    {
        const quill::ScopedLock turn = MainThreadTurn();
        EXPECT_TRUE(lobby->SendChat(u"good shot"));
    }
    EXPECT_TRUE(Eventually([&] {
        const std::vector<LobbyChatLine> lines = lobby->ChatLines();
        return !lines.empty() && lines.back().text == u"Carom : good shot";
    }));

    // A room announced while the player is in the lobby shows at once.
    kvtest::TestRoom late;
    late.number = 40;
    late.title = u"Late room";
    server.Send(kvtest::RoomListEntryMessage(late));
    EXPECT_TRUE(Eventually([&] { return lobby->RoomRow(2)->GetRoomNumber() == 40; }));
}

TEST_F(LobbyServer, JoinsAreAnsweredWithTheRoomOrTheRefusalsTexts) {
    ASSERT_TRUE(connected);
    kvtest::LobbyScript script;
    script.rooms[2].password = u"cue4";  // a password fits the prompt's four characters
    for (uint16_t forced : {14, 15, 16}) {
        kvtest::TestRoom room;
        room.number = static_cast<uint16_t>(forced + 50);
        room.title = u"Forced";
        script.rooms.push_back(room);
        script.joinResults[room.number] = forced;
    }
    ASSERT_TRUE(EnterListed(script));

    JoinAndWait(2);
    EXPECT_TRUE(BoxSays(u"The room is fuul."));
    JoinAndWait(64);
    EXPECT_TRUE(BoxSays(u"You cannot enter the room you are banned from for 10 minutes."));
    JoinAndWait(65);
    EXPECT_TRUE(BoxSays(u"You cannot enter because you don't qualify for handicap requirements."));
    JoinAndWait(66);
    EXPECT_TRUE(BoxSays(u"This room is currently not available."));
    JoinAndWait(90);  // not listed
    EXPECT_TRUE(BoxSays(u"Room info is not valid."));

    // The locked room: its prompt, a wrong password refused, the right one lets the player in.
    {
        const quill::ScopedLock turn = MainThreadTurn();
        lobby->JoinRoom(3);
        EXPECT_TRUE(lobby->PasswordPopup()->IsVisible());
        lobby->JoinRoomWithPassword(3, u"nope");
    }
    EXPECT_TRUE(BoxSays(u"Password is incorrect."));
    EXPECT_EQ(lobby->NextSceneId(), 0);
    {
        const quill::ScopedLock turn = MainThreadTurn();
        lobby->JoinRoomWithPassword(3, u"cue4");
    }
    EXPECT_TRUE(Eventually([&] { return lobby->NextSceneId() == SceneId::RoomGame; }));
    const quill::RoomInfo& room = app.Connection()->GetRoomInfo();
    EXPECT_EQ(room.roomNumber, 3);
    EXPECT_EQ(room.title, u"Locked room");
    EXPECT_EQ(room.gameType, 10);
    EXPECT_EQ(room.maxPlayers, 4);
    EXPECT_EQ(room.passwordFlag, 1);
}

TEST_F(LobbyServer, TheWaitingRoomJoinedByClickTakesItsTitleAndNumberToTheRoom) {
    ASSERT_TRUE(connected);
    ASSERT_TRUE(EnterListed());
    Routed(*lobby, lobby->RoomRow(0), 0, 0);
    EXPECT_TRUE(Eventually([&] { return lobby->NextSceneId() == SceneId::RoomGame; }));
    const quill::RoomInfo& room = app.Connection()->GetRoomInfo();
    EXPECT_EQ(room.roomNumber, 1);
    EXPECT_EQ(room.title, u"Waiting room");
    EXPECT_EQ(room.gameType, 3);
    EXPECT_EQ(room.tableItem, 1020);
    EXPECT_EQ(room.inningTime, 40);
    EXPECT_EQ(room.passwordFlag, 0);
}

TEST_F(LobbyServer, CreatingARoomIsRefusedOrAnsweredAsTheJoinOfTheNewRoom) {
    ASSERT_TRUE(connected);
    kvtest::LobbyScript refusing;
    refusing.createResult = 25;
    ASSERT_TRUE(EnterListed(refusing));
    {
        const quill::ScopedLock turn = MainThreadTurn();
        Routed(*lobby, lobby->CreateButton(), 0, 0);
        lobby->CreateDialog()->TitleEdit()->SetText(u"Our table");
        Routed(*lobby->CreateDialog(), lobby->CreateDialog()->OkButton(), 0, 0);
        lobby->SendCreateRoom();
    }
    EXPECT_TRUE(BoxSays(u"Cannot create room.(ERROR_ETC)"));
    EXPECT_EQ(lobby->NextSceneId(), 0);

    kvtest::InstallLobbyScript(server);
    app.Connection()->LocalPlayer().accountId = kvtest::TestAccount{}.accountId;
    {
        const quill::ScopedLock turn = MainThreadTurn();
        lobby->SendCreateRoom();
    }
    EXPECT_TRUE(Eventually([&] { return lobby->NextSceneId() == SceneId::RoomGame; }));
    EXPECT_EQ(app.Connection()->GetRoomInfo().title, u"Our table");
    EXPECT_EQ(app.Connection()->GetRoomInfo().gameType, lobby->CreateDialog()->Room().gameType);
    EXPECT_EQ(app.Connection()->GetRoomInfo().roomNumber, kvtest::LobbyScript{}.createdRoom)
        << "the number of the room the server moved the player into";
}

TEST_F(LobbyServer, LeavingTheChannelSendsLeaveChannelAndGoesToTheChannelList) {
    ASSERT_TRUE(connected);
    ASSERT_TRUE(EnterListed());
    for (Widget* child : lobby->GetChildren())
        if (child->GetId() == SceneLobby::kChannelList) Routed(*lobby, child, 0, 0);
    EXPECT_EQ(Sent(MessageId::LeaveChannel), (std::vector<uint8_t>{5, 0, 0x5A, 0x04, 0}));
    EXPECT_EQ(lobby->NextSceneId(), SceneId::Login);
    EXPECT_TRUE(server.WaitForMessage(MessageId::LeaveChannel).has_value());
}

}  // namespace
}  // namespace kestrovan::test
