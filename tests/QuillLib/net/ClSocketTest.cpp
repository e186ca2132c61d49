#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "QuillLib/net/ClSocket.h"
#include "platform/net/TcpListener.h"
#include "tests/support/net/GameServerFixture.h"

namespace quill {
namespace {

using kvtest::GameServerFixture;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kWaitMs = 10000;

// Records what the socket reports, for the test thread to wait on.
class RecordingListener : public SocketListener {
public:
    void OnConnect(ClSocket* /*socket*/, int code) override {
        Record([&] { connects_.push_back(code); });
    }

    void OnReceive(ClSocket* socket, int result) override {
        Record([&] {
            results_.push_back(result);
            if (result >= 0) {
                const auto message = socket->IncomingPacket().ReceivedMessage();
                messages_.emplace_back(message.begin(), message.end());
            }
        });
    }

    void OnClose(ClSocket* /*socket*/, int reason) override {
        Record([&] { closes_.push_back(reason); });
    }

    bool WaitForConnects(size_t count) {
        return WaitUntil([&] { return connects_.size() >= count; });
    }
    bool WaitForMessages(size_t count) {
        return WaitUntil([&] { return messages_.size() >= count; });
    }
    bool WaitForCloses(size_t count) {
        return WaitUntil([&] { return closes_.size() >= count; });
    }

    std::vector<int> Connects() { return Copy(connects_); }
    std::vector<int> Closes() { return Copy(closes_); }
    std::vector<Bytes> Messages() { return Copy(messages_); }

private:
    void Record(const std::function<void()>& change) {
        {
            std::lock_guard hold(mutex_);
            change();
        }
        changed_.notify_all();
    }

    bool WaitUntil(const std::function<bool()>& condition) {
        std::unique_lock hold(mutex_);
        return changed_.wait_for(hold, std::chrono::milliseconds(kWaitMs), condition);
    }

    template <class T>
    T Copy(const T& value) {
        std::lock_guard hold(mutex_);
        return value;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> connects_;
    std::vector<int> results_;
    std::vector<int> closes_;
    std::vector<Bytes> messages_;
};

// Gives late, unexpected reports a chance to arrive before a test checks that there were none.
void LetStragglersArrive() {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

// A client socket with encryption on, connected to the server.
class Connected : public ::testing::Test {
protected:
    void SetUp() override {
        socket_.EnableEncryption();
        socket_.Connect(server_.Host(), server_.Port());
        ASSERT_TRUE(listener_.WaitForConnects(1));
        ASSERT_EQ(listener_.Connects(), std::vector<int>{0});
        ASSERT_TRUE(server_.WaitForClient());
    }

    GameServerFixture server_;
    RecordingListener listener_;
    ClSocket socket_{&listener_};
};

TEST_F(Connected, ExchangesEncipheredMessagesWithTheServer) {
    server_.ReplyTo(MessageId::LoginRequest, [](const kvtest::ServerMessage&, GameServerFixture& server) {
        Packet result;
        result.Init(MessageId::LoginResult).WriteU8(0).WriteWString(u"Nickname");
        server.Send(result);
    });
    Packet hello;
    hello.Init(MessageId::ServerHello).WriteU32(77);
    ASSERT_TRUE(server_.Send(hello));
    ASSERT_TRUE(listener_.WaitForMessages(1));

    Packet login;
    login.Init(MessageId::LoginRequest).WriteU32(2966).WriteU8(2).WriteWString(u"player").WriteWString(u"secret");
    socket_.SendPacket(&login);

    const auto request = server_.WaitForMessage(MessageId::LoginRequest);
    ASSERT_TRUE(request.has_value());
    Packet received = request->Read();
    EXPECT_EQ(received.ReadU32(), 2966u);
    EXPECT_EQ(received.ReadU8(), 2);
    EXPECT_EQ(received.ReadWString(), u"player");
    EXPECT_EQ(received.ReadWString(), u"secret");
    EXPECT_EQ(received.ErrorCount(), 0);

    ASSERT_TRUE(listener_.WaitForMessages(2));
    const auto messages = listener_.Messages();
    EXPECT_EQ(messages[0], (Bytes{8, 0, 2, 0, 77, 0, 0, 0}));
    Packet reply;
    ASSERT_TRUE(reply.LoadReceived(messages[1]));
    EXPECT_EQ(reply.Id(), MessageId::LoginResult);
    EXPECT_EQ(reply.ReadU8(), 0);
    EXPECT_EQ(reply.ReadWString(), u"Nickname");
}

TEST_F(Connected, SendsEachMessageOfAPacketAsItsOwnFrame) {
    Packet packet;
    packet.Init(MessageId::ShotResultReport).WriteU8(1).BeginMessage(MessageId::TableState).WriteU32(5);
    packet.BeginMessage(MessageId::KeepAlive).WriteU8(0);
    EXPECT_EQ(socket_.SendPacket(&packet), 0);
    ASSERT_TRUE(server_.WaitForMessages(3));
    const auto received = server_.Received();
    EXPECT_EQ(received[0].id, MessageId::ShotResultReport);
    EXPECT_EQ(received[1].id, MessageId::TableState);
    EXPECT_EQ(received[2].bytes, (Bytes{5, 0, 9, 0, 0}));
}

TEST_F(Connected, RefusesPacketsItCannotSendWholeAndStaysConnected) {
    Bytes huge(3072, 0);
    huge[0] = 0x00;
    huge[1] = 0x0C;
    EXPECT_EQ(socket_.Send(huge), ClSocketBase::kBadFrameLength);
    Packet overflowed;
    overflowed.Init(MessageId::SettingsText).WriteWString(WString(Packet::kCapacity, u'x'));
    EXPECT_EQ(socket_.SendPacket(&overflowed), 0);
    EXPECT_EQ(socket_.SendPacket(nullptr), 0) << "an empty pool's null packet is dropped";
    Packet packet;
    packet.Init(MessageId::KeepAlive).WriteU8(0);
    socket_.SendPacket(&packet);
    ASSERT_TRUE(server_.WaitForMessages(1));
    EXPECT_EQ(server_.Received()[0].id, MessageId::KeepAlive);
    EXPECT_EQ(socket_.State(), 1);
}

TEST_F(Connected, APeerCloseIsReportedOnce) {
    server_.CloseClient();
    ASSERT_TRUE(listener_.WaitForCloses(1));
    LetStragglersArrive();
    EXPECT_EQ(listener_.Closes(), std::vector<int>{1});
    EXPECT_EQ(socket_.State(), 0);

    Packet packet;
    packet.Init(MessageId::KeepAlive).WriteU8(0);
    EXPECT_EQ(socket_.SendPacket(&packet), 0) << "sending while not connected sends nothing";
    EXPECT_EQ(socket_.Send(packet.Bytes()), 0);
}

TEST_F(Connected, ABrokenStreamEndsTheConnection) {
    ASSERT_TRUE(server_.SendRaw(Bytes{0, 0, 0, 0}));
    ASSERT_TRUE(listener_.WaitForCloses(1));
    EXPECT_TRUE(server_.WaitForClientGone());
    LetStragglersArrive();
    EXPECT_EQ(listener_.Closes(), std::vector<int>{1});
}

TEST_F(Connected, DisconnectReportsOnceAndCloseNotAtAll) {
    socket_.Disconnect();
    socket_.Disconnect();
    EXPECT_EQ(listener_.Closes(), std::vector<int>{1});
    EXPECT_TRUE(server_.WaitForClientGone());

    socket_.Connect(server_.Host(), server_.Port());
    ASSERT_TRUE(listener_.WaitForConnects(2));
    ASSERT_TRUE(server_.WaitForClient());
    socket_.Close();
    EXPECT_TRUE(server_.WaitForClientGone());
    LetStragglersArrive();
    EXPECT_EQ(listener_.Closes(), std::vector<int>{1});
}

TEST_F(Connected, ReconnectsAndTalksOverTheNewConnection) {
    Packet hello;
    hello.Init(MessageId::ServerHello).WriteU32(1);
    server_.Greet(hello);
    socket_.Connect(server_.Host(), server_.Port());
    ASSERT_TRUE(listener_.WaitForConnects(2));
    EXPECT_EQ(listener_.Connects(), (std::vector<int>{0, 0}));
    ASSERT_TRUE(server_.WaitForClients(2));
    EXPECT_TRUE(listener_.WaitForMessages(1)) << "the new connection's greeting arrives";

    Packet packet;
    packet.Init(MessageId::KeepAlive).WriteU8(0);
    socket_.SendPacket(&packet);
    EXPECT_TRUE(server_.WaitForMessage(MessageId::KeepAlive).has_value());
    LetStragglersArrive();
    EXPECT_TRUE(listener_.Closes().empty()) << "an abandoned connection reports nothing";
}

TEST_F(Connected, APeerCloseRacingADisconnectIsReportedOnce) {
    std::thread peer([&] { server_.CloseClient(); });
    socket_.Disconnect();
    peer.join();
    ASSERT_TRUE(listener_.WaitForCloses(1));
    LetStragglersArrive();
    EXPECT_EQ(listener_.Closes(), std::vector<int>{1});
}

TEST(ClSocket, AConnectToARefusedPortFailsOnce) {
    uint16_t closedPort = 0;
    {
        platform::TcpListener listener;
        ASSERT_EQ(listener.Listen(0), 0);
        closedPort = listener.Port();
    }
    RecordingListener listener;
    ClSocket socket(&listener);
    socket.Connect(u"127.0.0.1", closedPort);
    ASSERT_TRUE(listener.WaitForConnects(1));
    LetStragglersArrive();
    EXPECT_EQ(listener.Connects(), std::vector<int>{-1});
    EXPECT_TRUE(listener.Closes().empty());
    EXPECT_EQ(socket.State(), 0);
}

TEST(ClSocket, TheDestructorEndsItsThreadsPromptly) {
    GameServerFixture server;
    RecordingListener listener;
    auto socket = std::make_unique<ClSocket>(&listener);
    socket->Connect(server.Host(), server.Port());
    ASSERT_TRUE(listener.WaitForConnects(1));
    ASSERT_TRUE(server.WaitForClient());

    const auto start = std::chrono::steady_clock::now();
    socket.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(server.WaitForClientGone());
    EXPECT_TRUE(listener.Closes().empty());
}

}  // namespace
}  // namespace quill
