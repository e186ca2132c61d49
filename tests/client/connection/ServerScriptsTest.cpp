// The stand-in server's login and lobby scripts against the connection: what each request is answered with,
// in the order and shape that the screens' tests and the program's checks under X rely on.
#include <gtest/gtest.h>

#include "tests/client/connection/ConnectionFakes.h"
#include "tests/support/net/GameServerFixture.h"
#include "tests/support/net/GameServerScripts.h"

namespace kestrovan::test {
namespace {

using namespace kvtest;

class ScriptedServer : public ::testing::Test {
protected:
    ScriptedServer() {
        host_.scene = &scene_;
        connection_.SetServerAddress(server_.Host(), server_.Port());
        connection_.StartDispatchThread();
    }
    ~ScriptedServer() override { connection_.StopDispatchThread(); }

    void Connect() {
        connection_.Connect();
        ASSERT_TRUE(scene_.WaitForMessages(2)) << "LoginResult and ChannelList";
    }
    void SendByte(MessageId id) {
        const uint8_t zero = 0;
        connection_.SendBytePacket(id, &zero);
    }
    // Sends a request of that id, its payload written by fill.
    template <class Fill>
    void Send(MessageId id, Fill fill) {
        Packet request;
        request.Init(id);
        fill(request);
        connection_.SendPacket(&request);
    }
    // The next count messages the scene got after the first seen ones.
    std::vector<SceneMessage> Next(size_t count) {
        EXPECT_TRUE(scene_.WaitForMessages(seen_ + count));
        const std::vector<SceneMessage> all = scene_.Messages();
        std::vector<SceneMessage> next(all.begin() + static_cast<ptrdiff_t>(seen_), all.end());
        seen_ += count;
        next.resize(count);
        return next;
    }
    SceneMessage NextOne() { return Next(1)[0]; }
    // The payload of a built message, as the scene gets it.
    static std::vector<uint8_t> Payload(Packet message) {
        const Packet received = AsReceived(std::move(message));
        const auto bytes = received.ReceivedMessage();
        return {bytes.begin() + Packet::kHeaderSize, bytes.end()};
    }

    QuietConsole quiet_;
    GameServerFixture server_;
    FakeHost host_;
    FakeScene scene_{ConnectionScene::kLoginSceneId};
    GameConnection connection_{host_};
    size_t seen_ = 2;
};

TEST_F(ScriptedServer, LoginScriptListsTheChannelsAndEntersOne) {
    LoginScript script;
    script.channels = {{0, 5, 100, 0, 1}, {6, 7, 100, 0, 8}};
    InstallLoginScript(server_, script);
    Connect();
    const std::vector<SceneMessage> login = scene_.Messages();
    EXPECT_EQ(login[0].id, MessageId::LoginResult);
    EXPECT_EQ(login[0].payload, Payload(LoginResultMessage(script.account)));
    EXPECT_EQ(login[1].payload, Payload(ChannelListMessage(script.channels)));

    SendByte(MessageId::ChannelListRequest);
    EXPECT_EQ(NextOne().id, MessageId::ChannelList);
    // Row 1 is channel 6 of the list, entered as channel 7 (1-based); a row past the list is refused.
    Send(MessageId::ChannelEnter, [](Packet& p) { p.WriteU16(1); });
    EXPECT_EQ(NextOne().payload, (std::vector<uint8_t>{0, 7}));
    Send(MessageId::ChannelEnter, [](Packet& p) { p.WriteU16(2); });
    EXPECT_EQ(NextOne().payload, (std::vector<uint8_t>{1, 0}));
}

TEST_F(ScriptedServer, LobbyScriptListsRoomsAndUsersEchoesChatAndLeaves) {
    InstallLoginScript(server_);
    InstallLobbyScript(server_);
    Connect();
    SendByte(MessageId::LobbyEnter);
    const std::vector<TestRoom> rooms = DefaultRooms();
    const std::vector<TestUser> users = DefaultUsers();
    const std::vector<SceneMessage> entry = Next(3 + rooms.size() + users.size());
    EXPECT_EQ(entry.front().id, MessageId::RoomListReset);
    for (size_t n = 0; n < rooms.size(); ++n) {
        EXPECT_EQ(entry[1 + n].payload, Payload(RoomListEntryMessage(rooms[n])));
    }
    EXPECT_EQ(entry[1 + rooms.size()].id, MessageId::LobbyUserRemoved);
    for (size_t n = 0; n < users.size(); ++n) {
        EXPECT_EQ(entry[2 + rooms.size() + n].payload, Payload(LobbyUserAddedMessage(users[n])));
    }
    EXPECT_EQ(entry.back().id, MessageId::LobbyEntered);
    EXPECT_EQ(users[0].userId, TestAccount{}.accountId) << "the player is listed";

    Send(MessageId::LobbyChatSend, [](Packet& p) { p.WriteWString(u"good shot"); });
    EXPECT_EQ(NextOne().payload, Payload(LobbyChatMessage(u"Carom", u"good shot")));

    SendByte(MessageId::LeaveChannel);
    const SceneMessage list = NextOne();
    EXPECT_EQ(list.id, MessageId::ChannelList);
    EXPECT_EQ(list.payload, Payload(ChannelListMessage(DefaultChannels())));
}

TEST_F(ScriptedServer, LobbyScriptAnswersJoinsByTheRoomAndCreationAsAJoin) {
    LobbyScript script;
    script.joinResults[1] = 14;
    script.rooms[0].number = 4;  // the waiting room, now number 4; number 1 keeps only its forced result
    InstallLoginScript(server_);
    InstallLobbyScript(server_, script);
    Connect();
    const auto join = [&](uint16_t room) {
        Send(MessageId::JoinRoom, [room](Packet& p) { p.WriteU16(room).WriteU8(0); });
        return NextOne().payload;
    };
    const auto joinWith = [&](uint16_t room, quill::WStringView password) {
        Send(MessageId::JoinRoomWithPassword, [&](Packet& p) { p.WriteU16(room).WriteU8(0).WriteWString(password); });
        return NextOne().payload;
    };
    const auto result = [](uint32_t code) { return Payload(JoinRoomResultMessage(code)); };
    EXPECT_EQ(join(4), Payload(JoinRoomResultMessage(0, script.rooms[0])));
    EXPECT_EQ(join(1), result(14)) << "forced";
    EXPECT_EQ(join(2), result(13)) << "full";
    EXPECT_EQ(join(3), result(5)) << "locked";
    EXPECT_EQ(join(99), result(12)) << "not listed";
    EXPECT_EQ(joinWith(3, u"wrong"), result(5));
    EXPECT_EQ(joinWith(3, u"secret"), Payload(JoinRoomResultMessage(0, script.rooms[2])));

    // The created room is listed, the player moved into it, and the room joined with what the request asked for.
    Send(MessageId::CreateRoom, [](Packet& p) {
        p.WriteU8(10).WriteU8(4).WriteU16(1030).WriteU16(2005).WriteWString(u"Nine ball").WriteU8(1);
        p.WriteWString(u"pw").WriteU8(30).WriteU8(16).WriteU8(0).WriteU16(100).WriteU16(300);
    });
    TestRoom created;
    created.number = 7;
    created.gameMode = 10;
    created.maxPlayers = 4;
    created.tableItem = 1030;
    created.ballSetItem = 2005;
    created.title = u"Nine ball";
    created.passwordFlag = 1;
    created.password = u"pw";
    created.timeLimit = 30;
    created.optionFlags = 16;
    created.stakeIndex = 0;
    created.minHandicap = 100;
    created.maxHandicap = 300;
    EXPECT_EQ(NextOne().payload, Payload(RoomListEntryMessage(created)));
    EXPECT_EQ(NextOne().payload, Payload(LobbyUserMovedMessage(TestAccount{}.accountId, 7)));
    EXPECT_EQ(NextOne().payload, Payload(JoinRoomResultMessage(0, created)));
}

TEST_F(ScriptedServer, LobbyScriptCanRefuseCreation) {
    LobbyScript script;
    script.createResult = 25;
    InstallLoginScript(server_);
    InstallLobbyScript(server_, script);
    Connect();
    Send(MessageId::CreateRoom, [](Packet& p) {
        p.WriteU8(3).WriteU8(2).WriteU16(1020).WriteU16(2000).WriteWString(u"Room").WriteU8(0);
        p.WriteU8(40).WriteU8(0).WriteU8(1).WriteU16(0).WriteU16(0);
    });
    const SceneMessage answer = NextOne();
    EXPECT_EQ(answer.id, MessageId::CreateRoomResult);
    EXPECT_EQ(answer.payload, (std::vector<uint8_t>{25}));
}

}  // namespace
}  // namespace kestrovan::test
