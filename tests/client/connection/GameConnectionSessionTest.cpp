// The connection against the loopback game server: connecting, the handshake, a scripted session, the
// keep-alive, losing the connection in the ways a server can lose it, reconnecting, and the dispatch
// thread's wait for a scene that can take messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "QuillLib/core/ClientVersion.h"
#include "platform/net/TcpListener.h"
#include "platform/system/Clock.h"
#include "tests/client/connection/ConnectionFakes.h"
#include "tests/support/net/GameServerFixture.h"

namespace kestrovan::test {
namespace {

using kvtest::GameServerFixture;

// Polls a condition that no one signals (pool counts), with a generous bound.
bool Eventually(const std::function<bool()>& condition) {
    for (uint32_t waited = 0; waited < kWaitMs; waited += 5) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

// Gives late, unexpected messages a chance to arrive before a test checks that there were none.
void LetStragglersArrive() {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

class Session : public ::testing::Test {
protected:
    Session() {
        host_.scene = &login_;
        server_.GreetWithHello(5);
        connection_.SetServerAddress(server_.Host(), server_.Port());
        connection_.SetLoginId(u"player-with-a-long-id");
        connection_.SetPassword(u"secret-password");
        connection_.SetLoginKind(2);
        connection_.StartDispatchThread();
    }
    ~Session() override {
        connection_.StopDispatchThread();
        EXPECT_EQ(connection_.PacketsInUse(), 0);
    }

    void ConnectAndLogIn(size_t logins = 1) {
        connection_.Connect();
        ASSERT_TRUE(server_.WaitForClients(logins));
        ASSERT_TRUE(Eventually([&] { return server_.CountReceived(MessageId::LoginRequest) >= logins; }));
        ASSERT_TRUE(connection_.IsConnected());
    }

    // Waits until the scene has seen count ConnectionLost messages, then checks that no more come.
    void ExpectOneLossMore(size_t before) {
        ASSERT_TRUE(Eventually([&] { return CountOf(MessageId::ConnectionLost) >= before + 1; }));
        LetStragglersArrive();
        EXPECT_EQ(CountOf(MessageId::ConnectionLost), before + 1);
        EXPECT_FALSE(connection_.IsConnected());
        EXPECT_TRUE(Eventually([&] { return connection_.PacketsInUse() == 0; })) << "no packet is lost";
    }

    size_t CountOf(MessageId id) {
        const std::vector<MessageId> ids = login_.Ids();
        return static_cast<size_t>(std::count(ids.begin(), ids.end(), id));
    }

    QuietConsole quiet_;
    GameServerFixture server_;
    FakeHost host_;
    FakeScene login_{ConnectionScene::kLoginSceneId};
    GameConnection connection_{host_};
};

TEST_F(Session, AnswersTheServersHelloWithTheLoginRequest) {
    ConnectAndLogIn();
    Packet request = server_.WaitForMessage(MessageId::LoginRequest)->Read();
    EXPECT_EQ(request.ReadU32(), quill::kClientVersion);
    EXPECT_EQ(request.ReadU8(), 2);
    EXPECT_EQ(request.ReadWString(), u"player-with-a-l") << "the login ID is cut to 15 characters";
    EXPECT_EQ(request.ReadWString(), u"secret-passw") << "the password to 12";
    EXPECT_EQ(request.Cursor(), request.LengthReadBack());
    EXPECT_TRUE(login_.Messages().empty()) << "the hello stays with the connection";
}

TEST_F(Session, AScriptedSessionFillsThePlayerTheListsAndTheInventory) {
    Packet loginResult;
    loginResult.Init(MessageId::LoginResult).WriteU8(1).WriteU8(0);
    Packet inventory;
    inventory.Init(MessageId::InventoryList).WriteU8(1).WriteI64(20).WriteU8(0).WriteU32(4901).WriteU8(0);
    inventory.WriteU16(3).WriteU16(4).WriteU8(0).WriteU8(0);
    Packet record;
    record.Init(MessageId::PlayerRecordUpdate).WriteU8(3);
    for (int field = 0; field < 9; ++field) {
        record.WriteU32(50);
    }
    record.WriteU16(120).WriteU32(0).WriteI64(0).WriteI64(0).WriteI64(0).WriteU16(0).WriteU16(0).WriteU16(0);
    Packet money;
    money.Init(MessageId::CueMoneyUpdate).WriteU32(0).WriteI64(123456);
    server_.ReplyWith(MessageId::LoginRequest, {loginResult, inventory, FriendList({{7, u"Pal"}, {8, u"Mate"}}),
                                                ClanInfo(44, u"Cushions", {{9, u"Clanmate"}}), record, money});
    Packet roomsReset;
    roomsReset.Init(MessageId::RoomListReset);
    Packet lobbyEntered;
    lobbyEntered.Init(MessageId::LobbyEntered);
    server_.ReplyWith(MessageId::LobbyEnter, {roomsReset, lobbyEntered});

    ConnectAndLogIn();
    const uint8_t enter = 0;
    connection_.SendBytePacket(MessageId::LobbyEnter, &enter);  // as the lobby asks on activation
    ASSERT_TRUE(login_.WaitForMessages(3));
    EXPECT_EQ(login_.Ids(), (std::vector<MessageId>{MessageId::LoginResult, MessageId::RoomListReset,
                                                    MessageId::LobbyEntered}));
    const quill::PlayerState& player = connection_.LocalPlayer();
    EXPECT_EQ(player.ItemCount(), 2);
    EXPECT_EQ(player.FindItem(20, 0)->typeCode, 4901u);
    EXPECT_EQ(player.ratingByType[3], 120);
    EXPECT_EQ(player.cueMoney, 123456);
    EXPECT_EQ(connection_.Directories().Friends().Count(), 2u);
    EXPECT_EQ(connection_.Directories().ClanMembers().Find(9)->name, u"Clanmate");
    EXPECT_EQ(connection_.Directories().Clan().name, u"Cushions");
}

// A sender learns when its request did not go: no packet was free, or its writer overflowed the packet.
TEST_F(Session, ARequestThatDoesNotGoIsReportedToItsSender) {
    ConnectAndLogIn();
    const uint8_t zero = 0;
    EXPECT_FALSE(connection_.SendWritten([](Packet& packet) {
        packet.Init(MessageId::SettingsText).WriteWString(quill::WString(2000, u'x'));
    })) << "overflowed";
    std::vector<Packet*> taken;
    while (Packet* packet = connection_.AllocPacket()) taken.push_back(packet);
    EXPECT_FALSE(connection_.SendWritten([](Packet& packet) { packet.Init(MessageId::KeepAlive).WriteU8(0); }));
    EXPECT_FALSE(connection_.SendBytePacket(MessageId::KeepAlive, &zero));
    for (Packet* packet : taken) connection_.FreePacket(packet);
    EXPECT_TRUE(connection_.SendBytePacket(MessageId::KeepAlive, &zero));
    ASSERT_TRUE(server_.WaitForMessage(MessageId::KeepAlive).has_value());
    LetStragglersArrive();
    EXPECT_EQ(server_.CountReceived(MessageId::KeepAlive), 1u);
    EXPECT_EQ(server_.CountReceived(MessageId::SettingsText), 0u);
}

TEST_F(Session, KeepAlivesFillOnlySilencesLongerThanFiveSecondsWhileConnected) {
    struct FixedClock {
        FixedClock() { platform::SetTickSource([] { return 1000u; }); }
        ~FixedClock() { platform::SetTickSource({}); }
    } clock;
    connection_.Tick(100000);
    ConnectAndLogIn();  // the login request stamps 1000
    connection_.Tick(6000);
    connection_.Tick(6001);
    connection_.Tick(6002);
    connection_.Tick(11002);
    ASSERT_TRUE(Eventually([&] { return server_.CountReceived(MessageId::KeepAlive) >= 2; }));
    Packet keepAlive = server_.WaitForMessage(MessageId::KeepAlive)->Read();
    EXPECT_EQ(keepAlive.ReadU8(), 0);
    EXPECT_EQ(keepAlive.Cursor(), keepAlive.LengthReadBack());

    server_.CloseClient();
    ExpectOneLossMore(0);
    connection_.Tick(50000);
    LetStragglersArrive();
    EXPECT_EQ(server_.CountReceived(MessageId::KeepAlive), 2u);
}

// The silence is counted from the connect: a server slow to greet gets the login request first, not a keep-alive.
TEST(SessionStart, TheKeepAliveClockStartsAtTheConnect) {
    struct FixedClock {
        FixedClock() { platform::SetTickSource([] { return 100000u; }); }
        ~FixedClock() { platform::SetTickSource({}); }
    } clock;
    QuietConsole quiet;
    GameServerFixture server;  // accepts and never greets
    FakeHost host;
    FakeScene login{ConnectionScene::kLoginSceneId};
    host.scene = &login;
    GameConnection connection{host};
    connection.SetServerAddress(server.Host(), server.Port());
    connection.StartDispatchThread();
    connection.Connect();
    ASSERT_TRUE(server.WaitForClients(1));
    ASSERT_TRUE(Eventually([&] { return connection.IsConnected(); }));
    connection.Tick(99990);  // the game thread read its clock just before the connect's stamp
    connection.Tick(104500);
    LetStragglersArrive();
    EXPECT_EQ(server.CountReceived(MessageId::KeepAlive), 0u);
    connection.Tick(105001);
    EXPECT_TRUE(Eventually([&] { return server.CountReceived(MessageId::KeepAlive) == 1; }));
    connection.StopDispatchThread();
}

// A server that accepts and never greets, or greets and never answers the login, is given up after 15 s: the
// attempt ends as a connect that failed.
TEST(SessionStart, AServerThatDoesNotAnswerIsGivenUpAsAFailedConnect) {
    struct FixedClock {
        FixedClock() { platform::SetTickSource([] { return 100000u; }); }
        ~FixedClock() { platform::SetTickSource({}); }
    } clock;
    QuietConsole quiet;
    FakeHost host;
    FakeScene login{ConnectionScene::kLoginSceneId};
    host.scene = &login;
    GameConnection connection{host};
    connection.StartDispatchThread();
    const auto failures = [&] {
        const std::vector<MessageId> ids = login.Ids();
        return std::count(ids.begin(), ids.end(), MessageId::ConnectFailed);
    };
    for (const bool greets : {false, true}) {
        SCOPED_TRACE(greets ? "no answer to the login" : "no greeting");
        GameServerFixture server;
        if (greets) server.GreetWithHello(5);
        connection.SetServerAddress(server.Host(), server.Port());
        const auto before = failures();
        connection.Connect();
        ASSERT_TRUE(Eventually([&] { return connection.IsConnected(); }));
        if (greets) {
            ASSERT_TRUE(Eventually([&] { return server.CountReceived(MessageId::LoginRequest) == 1; }));
        }
        connection.Tick(99990);
        LetStragglersArrive();
        EXPECT_TRUE(connection.IsConnected()) << "a frame's clock read just before the stamp is no time past";
        connection.Tick(100000 + GameConnection::kAnswerBoundMs);
        LetStragglersArrive();
        EXPECT_TRUE(connection.IsConnected()) << "15 s are not yet past";
        connection.Tick(100001 + GameConnection::kAnswerBoundMs);
        EXPECT_FALSE(connection.IsConnected());
        EXPECT_TRUE(Eventually([&] { return failures() == before + 1; }));
        EXPECT_TRUE(Eventually([&] { return connection.PacketsInUse() == 0; }));
    }
    connection.StopDispatchThread();
}

TEST_F(Session, AConnectToAClosedPortFailsOnceWithMinusOne) {
    uint16_t closedPort = 0;
    {
        platform::TcpListener listener;
        ASSERT_EQ(listener.Listen(0), 0);
        closedPort = listener.Port();
    }
    connection_.SetServerAddress(u"127.0.0.1", closedPort);
    connection_.Connect();
    ASSERT_TRUE(login_.WaitForMessages(1));
    LetStragglersArrive();
    const std::vector<SceneMessage> messages = login_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].id, MessageId::ConnectFailed);
    EXPECT_EQ(messages[0].payload, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(connection_.IsConnected());
}

TEST_F(Session, EveryWayOfLosingTheServerEndsInOneLossAndTheClientReconnects) {
    const std::vector<std::function<void()>> losses = {
        [&] { server_.CloseClient(); },
        [&] {
            Packet chat;
            chat.Init(MessageId::RoomChat).WriteWString(u"cut off in the middle");
            server_.SendPartialFrameAndClose(chat, 9);
        },
        [&] { server_.SendRaw(std::vector<uint8_t>{0xFF, 0x7F, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}); },
        [&] { server_.SendRaw(std::vector<uint8_t>{0, 0, 0, 0}); },
    };
    for (size_t loss = 0; loss < losses.size(); ++loss) {
        SCOPED_TRACE(loss);
        ConnectAndLogIn(loss + 1);
        losses[loss]();
        ExpectOneLossMore(loss);
        EXPECT_TRUE(server_.WaitForClientGone());
    }
    EXPECT_TRUE(host_.Notices().empty()) << "on the login screen the scene handles the loss";
}

TEST_F(Session, ALossOnAnotherScreenShowsTheErrorBoxOnce) {
    FakeScene lobby;
    host_.scene = &lobby;
    ConnectAndLogIn();
    server_.CloseClient();
    ASSERT_TRUE(host_.WaitForNotices(1));
    LetStragglersArrive();
    EXPECT_EQ(host_.Notices().size(), 1u);
    EXPECT_EQ(host_.Notices()[0].lines[0], u"Disconeected from Server.");
}

// The two local messages are the connection's own: sent by a server, they are dropped with a warning, and the
// session goes on (no "Disconnected" box whose OK would end the program).
TEST_F(Session, TheServersCopiesOfTheLocalMessagesAreDropped) {
    FakeScene lobby;
    host_.scene = &lobby;
    ConnectAndLogIn();
    Packet local;
    local.Init(MessageId::ConnectionLost);
    server_.Send(local);
    local.Init(MessageId::ConnectFailed).WriteU32(0xFFFFFFFF);
    server_.Send(local);
    Packet chat;
    chat.Init(MessageId::RoomChat).WriteWString(u"after them");
    server_.Send(chat);
    ASSERT_TRUE(Eventually([&] { return !lobby.Ids().empty(); }));
    LetStragglersArrive();
    EXPECT_EQ(lobby.Ids(), std::vector<MessageId>{MessageId::RoomChat});
    EXPECT_TRUE(host_.Notices().empty());
    EXPECT_TRUE(connection_.IsConnected());
}

// Answers TableStateRequest on the dispatch thread as the room does, but only once the messages queued behind the
// request hold every packet of the received messages' pool.
class AnsweringScene : public FakeScene {
public:
    explicit AnsweringScene(GameConnection& connection) : connection_(connection) {}

    int OnPacket(MessageId id, Packet& packet) override {
        if (id == MessageId::TableStateRequest) {
            Eventually([&] { return connection_.PacketsInUse() == GameConnection::kPacketCount; });
            if (Packet* answer = connection_.AllocPacket()) {
                answer->Init(MessageId::TableState).WriteU8(1);
                connection_.SendPacket(answer);
                connection_.FreePacket(answer);
            }
        }
        return FakeScene::OnPacket(id, packet);
    }

private:
    GameConnection& connection_;
};

// A request made while a flood fills the pool of received messages goes out at once, and no message is lost.
TEST_F(Session, ARequestInTheMiddleOfAFloodGoesOutAtOnce) {
    AnsweringScene room(connection_);
    host_.scene = &room;
    const struct BackToLogin {
        FakeHost& host;
        ConnectionScene* login;
        ~BackToLogin() { host.scene = login; }
    } back{host_, &login_};
    ConnectAndLogIn();
    Packet chat;
    chat.Init(MessageId::RoomChat).WriteWString(u"flood line");
    const std::vector<uint8_t> line = server_.FramesOf(chat);
    Packet request;
    request.Init(MessageId::TableStateRequest);
    const std::vector<uint8_t> asked = server_.FramesOf(request);
    std::vector<uint8_t> flood;
    for (int n = 0; n < 2000; ++n) {
        const std::vector<uint8_t>& frames = n == 1000 ? asked : line;
        flood.insert(flood.end(), frames.begin(), frames.end());
    }
    ASSERT_TRUE(server_.SendRaw(flood));
    EXPECT_TRUE(server_.WaitForMessage(MessageId::TableState).has_value()) << "the answer was lost";
    ASSERT_TRUE(room.WaitForMessages(2000));
    EXPECT_EQ(room.Ids()[1000], MessageId::TableStateRequest);
    EXPECT_TRUE(Eventually([&] { return connection_.PacketsInUse() == 0; }));
}

TEST_F(Session, MessagesWaitUntilTheSceneCanTakeThem) {
    ConnectAndLogIn();
    FakeScene next;
    next.changePending = true;
    host_.scene = nullptr;  // between scenes
    Packet chat;
    chat.Init(MessageId::RoomChat).WriteU8(1);
    ASSERT_TRUE(server_.Send(chat));
    LetStragglersArrive();
    host_.scene = &next;  // the switch is pending
    LetStragglersArrive();
    // Loading is set before the switch ends: the dispatcher reads the three flags while they change.
    next.loading = true;
    next.ready = false;
    next.changePending = false;
    LetStragglersArrive();
    EXPECT_TRUE(next.Messages().empty());
    next.ready = true;
    ASSERT_TRUE(next.WaitForMessages(1));
    EXPECT_EQ(next.Messages()[0].id, MessageId::RoomChat);
    EXPECT_TRUE(login_.Messages().empty());
}

TEST_F(Session, StoppingTheDispatcherReturnsWhileMessagesWaitForAScene) {
    ConnectAndLogIn();
    host_.scene = nullptr;
    Packet chat;
    chat.Init(MessageId::RoomChat).WriteU8(1);
    for (int i = 0; i < 20; ++i) {
        server_.Send(chat);
    }
    LetStragglersArrive();
    connection_.StopDispatchThread();  // the destructor's check finds every packet back in the pool
}

}  // namespace
}  // namespace kestrovan::test
