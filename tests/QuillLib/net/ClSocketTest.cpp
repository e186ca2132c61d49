#include <gtest/gtest.h>

#include <algorithm>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "QuillLib/net/ClSocket.h"
#include "platform/net/TcpListener.h"
#include "tests/support/common/LogCapture.h"
#include "tests/support/net/FrameStreamServer.h"
#include "tests/support/net/GameServerFixture.h"

namespace quill {
namespace {

using kvtest::FrameStreamServer;
using kvtest::GameServerFixture;
using Bytes = std::vector<uint8_t>;

// Records what the socket reports, for the test thread to wait on.
class RecordingListener : public SocketListener {
public:
    struct Reports {
        std::vector<int> connects;
        std::vector<Bytes> messages;
        std::vector<int> closes;
    };

    void OnConnect(ClSocket* /*socket*/, int code) override {
        Record([&](Reports& reports) { reports.connects.push_back(code); });
    }
    void OnReceive(ClSocket* socket, int result) override {
        if (result >= 0) {
            const auto message = socket->IncomingPacket().ReceivedMessage();
            Record([&](Reports& reports) { reports.messages.emplace_back(message.begin(), message.end()); });
        }
    }
    void OnClose(ClSocket* /*socket*/, int reason) override {
        Record([&](Reports& reports) { reports.closes.push_back(reason); });
    }

    // Waits until one list of reports holds count entries; false when the wait's bound passes.
    template <class T>
    bool WaitFor(std::vector<T> Reports::*list, size_t count) {
        std::unique_lock hold(mutex_);
        return changed_.wait_for(hold, std::chrono::milliseconds(GameServerFixture::kWaitMs),
                                 [&] { return (reports_.*list).size() >= count; });
    }

    Reports Now() {
        std::lock_guard hold(mutex_);
        return reports_;
    }

private:
    void Record(const std::function<void(Reports&)>& change) {
        {
            std::lock_guard hold(mutex_);
            change(reports_);
        }
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    Reports reports_;
};

using Reports = RecordingListener::Reports;

// Gives late, unexpected reports a chance to arrive before a test checks that there were none.
void LetStragglersArrive() {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

Packet KeepAlive() {
    Packet packet;
    packet.Init(MessageId::KeepAlive).WriteU8(0);
    return packet;
}

// A client socket with encryption on, connected to the server.
class Connected : public ::testing::Test {
protected:
    void SetUp() override {
        socket_.EnableEncryption();
        socket_.Connect(server_.Host(), server_.Port());
        ASSERT_TRUE(listener_.WaitFor(&Reports::connects, 1));
        ASSERT_EQ(listener_.Now().connects, std::vector<int>{0});
        ASSERT_TRUE(server_.WaitForClient());
    }

    GameServerFixture server_;
    RecordingListener listener_;
    ClSocket socket_{&listener_};
};

TEST_F(Connected, ExchangesEncipheredMessagesWithTheServer) {
    Packet login;
    login.Init(MessageId::LoginRequest).WriteU32(2966).WriteWString(u"player");
    login.BeginMessage(MessageId::KeepAlive).WriteU8(0);
    socket_.SendPacket(&login);
    const auto request = server_.WaitForMessage(MessageId::LoginRequest);
    ASSERT_TRUE(request.has_value());
    Packet received = request->Read();
    EXPECT_EQ(received.ReadU32(), 2966u);
    EXPECT_EQ(received.ReadWString(), u"player");
    EXPECT_TRUE(server_.WaitForMessage(MessageId::KeepAlive).has_value()) << "each message is its own frame";

    Packet result;
    result.Init(MessageId::LoginResult).WriteU8(0).WriteWString(u"Nickname");
    ASSERT_TRUE(server_.Send(result));
    ASSERT_TRUE(listener_.WaitFor(&Reports::messages, 1));
    Packet reply;
    ASSERT_TRUE(reply.LoadReceived(listener_.Now().messages[0]));
    EXPECT_EQ(reply.Id(), MessageId::LoginResult);
    EXPECT_EQ(reply.ReadU8(), 0);
    EXPECT_EQ(reply.ReadWString(), u"Nickname");
}

TEST_F(Connected, RefusesPacketsItCannotSendWholeAndStaysConnected) {
    Bytes huge(3072, 0);
    huge[1] = 0x0C;  // one message of 3072 bytes, whose enciphered frame exceeds the send buffer
    EXPECT_EQ(socket_.Send(huge), ClSocketBase::kBadFrameLength);
    Packet overflowed;
    overflowed.Init(MessageId::SettingsText).WriteWString(WString(Packet::kCapacity, u'x'));
    EXPECT_EQ(socket_.SendPacket(&overflowed), 0);
    EXPECT_EQ(socket_.SendPacket(nullptr), 0) << "an empty pool's null packet is dropped";
    Packet packet = KeepAlive();
    socket_.SendPacket(&packet);
    ASSERT_TRUE(server_.WaitForMessages(1));
    EXPECT_EQ(server_.Received()[0].id, MessageId::KeepAlive);
    EXPECT_EQ(socket_.State(), 1);
}

// A hostile peer floods the connection with ten-byte frames that do not decipher: the socket ends the connection
// as lost after a few of them, and the log holds a handful of lines, not one per frame.
TEST_F(Connected, AFloodOfFramesThatDoNotDecipherEndsTheConnection) {
    test::LogCapture log;
    Bytes flood;
    for (int frame = 0; frame < 20000; ++frame) {
        const Bytes garbage = {10, 0, 1, 2, 3, 4, 5, 6, 7, static_cast<uint8_t>(frame)};
        flood.insert(flood.end(), garbage.begin(), garbage.end());
    }
    server_.SendRaw(flood);
    ASSERT_TRUE(listener_.WaitFor(&Reports::closes, 1));
    EXPECT_EQ(socket_.State(), 0);
    EXPECT_TRUE(listener_.Now().messages.empty());
    const std::string text = log.Text();
    EXPECT_NE(text.find("BAD FRAMES IN A ROW, CONNECTION ENDED"), std::string::npos) << text;
    EXPECT_LT(std::count(text.begin(), text.end(), '\n'), 10) << text;
}

TEST_F(Connected, APeerCloseIsReportedOnce) {
    test::LogCapture log;
    server_.CloseClient();
    ASSERT_TRUE(listener_.WaitFor(&Reports::closes, 1));
    LetStragglersArrive();
    EXPECT_EQ(listener_.Now().closes, std::vector<int>{1});
    EXPECT_EQ(socket_.State(), 0);

    Packet packet = KeepAlive();
    EXPECT_EQ(socket_.SendPacket(&packet), 0) << "sending while not connected sends nothing";
    EXPECT_EQ(socket_.Send(packet.Bytes()), 0);
    EXPECT_NE(log.Text().find("MESSAGE 9 NOT SENT, NOT CONNECTED"), std::string::npos) << "nor in silence";
}

TEST_F(Connected, ADisconnectRacingAPeerCloseIsReportedOnce) {
    std::thread peer([&] { server_.CloseClient(); });
    socket_.Disconnect();
    peer.join();
    socket_.Disconnect();
    ASSERT_TRUE(listener_.WaitFor(&Reports::closes, 1));
    EXPECT_TRUE(server_.WaitForClientGone());
    LetStragglersArrive();
    EXPECT_EQ(listener_.Now().closes, std::vector<int>{1});
}

TEST_F(Connected, ABrokenStreamEndsTheConnection) {
    ASSERT_TRUE(server_.SendRaw(Bytes{0, 0, 0, 0}));
    ASSERT_TRUE(listener_.WaitFor(&Reports::closes, 1));
    EXPECT_TRUE(server_.WaitForClientGone());
    LetStragglersArrive();
    EXPECT_EQ(listener_.Now().closes, std::vector<int>{1});
}

TEST_F(Connected, ReconnectsTalksOverTheNewConnectionAndClosesSilently) {
    Packet hello;
    hello.Init(MessageId::ServerHello).WriteU32(1);
    server_.Greet(hello);
    socket_.Connect(server_.Host(), server_.Port());
    ASSERT_TRUE(listener_.WaitFor(&Reports::connects, 2));
    EXPECT_EQ(listener_.Now().connects, (std::vector<int>{0, 0}));
    ASSERT_TRUE(server_.WaitForClients(2));
    EXPECT_TRUE(listener_.WaitFor(&Reports::messages, 1)) << "the new connection's greeting arrives";

    Packet packet = KeepAlive();
    socket_.SendPacket(&packet);
    EXPECT_TRUE(server_.WaitForMessage(MessageId::KeepAlive).has_value());
    socket_.Close();
    EXPECT_TRUE(server_.WaitForClientGone());
    LetStragglersArrive();
    EXPECT_TRUE(listener_.Now().closes.empty()) << "neither the abandoned connection nor Close reports";
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
    ASSERT_TRUE(listener.WaitFor(&Reports::connects, 1));
    LetStragglersArrive();
    EXPECT_EQ(listener.Now().connects, std::vector<int>{-1});
    EXPECT_TRUE(listener.Now().closes.empty());
    EXPECT_EQ(socket.State(), 0);
}

// A client socket, encryption off, connected to a bare server whose test reads at its own pace, or not at all.
// The server's small receive buffer keeps the test's clock honest: the clock runs by the bytes read, and a reader
// with megabytes buffered could eat seconds of it while a starved send thread writes nothing, a stall no real
// slow server shows.
class ConnectedToABareServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(server_.Listen(0, 64 * 1024), 0);
        socket_->Connect(u"127.0.0.1", server_.Port());
        ASSERT_TRUE(listener_.WaitFor(&Reports::connects, 1));
        accepted_ = server_.Accept(GameServerFixture::kWaitMs);
        ASSERT_NE(accepted_, nullptr);
    }

    // Sends at least total bytes of 3 KB messages; every send returns at once. Returns the bytes sent.
    size_t SendBurst(size_t total) {
        Packet large;
        large.Init(MessageId::SettingsText).WriteWString(WString(1500, u'x'));
        size_t sent = 0;
        while (sent < total && socket_->State() == 1) {
            socket_->SendPacket(&large);
            sent += large.Bytes().size();
        }
        return sent;
    }

    platform::TcpListener server_;
    RecordingListener listener_;
    std::unique_ptr<ClSocket> socket_ = std::make_unique<ClSocket>(&listener_);
    std::unique_ptr<platform::TcpSocket> accepted_;
};

// A server that reads 80 KB a second (by the socket's clock) takes a 4 MB burst whole: bytes wait for nearly a
// minute, but they keep going, and the connection stays.
TEST_F(ConnectedToABareServer, AServerThatReadsSlowlyTakesABurstWhole) {
    constexpr size_t kBytesPerSecond = 80 * 1024;
    const size_t burst = SendBurst(4 << 20);
    std::vector<uint8_t> buffer(8192);
    size_t read = 0;
    while (read < burst) {
        int error = 0;
        const int got = accepted_->Receive(buffer.data(), buffer.size(), &error);
        ASSERT_GT(got, 0) << "the connection ended after " << read << " bytes";
        read += static_cast<size_t>(got);
        socket_->CheckSendProgress(static_cast<uint32_t>(read * 1000 / kBytesPerSecond));
    }
    EXPECT_EQ(read, burst);
    EXPECT_EQ(socket_->State(), 1);
    EXPECT_TRUE(listener_.Now().closes.empty());
}

// A server that reads nothing: every send returns at once while the system's buffers and the queue fill, and the
// connection ends, once and with a line in the log, when the server has taken nothing for the stall time.
TEST_F(ConnectedToABareServer, AServerThatReadsNothingIsCutWhenItHasTakenNothingForTheStallTime) {
    test::LogCapture log;
    SendBurst(8 << 20);
    ASSERT_EQ(socket_->State(), 1) << "a burst far below the bound ends nothing";
    uint32_t now = 0;
    while (listener_.Now().closes.empty() && now <= 10 * ClSocket::kSendStallMs) {
        now += 500;
        socket_->CheckSendProgress(now);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));  // the system's buffers take what they will
    }
    EXPECT_EQ(listener_.Now().closes, std::vector<int>{1});
    EXPECT_GE(now, ClSocket::kSendStallMs + 500) << "cut before the server had read nothing for the stall time";
    EXPECT_NE(log.Text().find("THE SERVER HAS READ NOTHING FOR 10 S"), std::string::npos) << log.Text();
}

// A sender that goes on regardless never waits either: the send that would pass the queue's bound ends the
// connection.
TEST_F(ConnectedToABareServer, ASendPastTheQueuesBoundEndsTheConnection) {
    test::LogCapture log;
    SendBurst(2 * size_t{ClSocket::kSendQueueBound} + (8 << 20));
    EXPECT_EQ(socket_->State(), 0);
    EXPECT_EQ(listener_.Now().closes, std::vector<int>{1});
    EXPECT_NE(log.Text().find("MESSAGE 69 NOT SENT, THE SERVER READS TOO SLOWLY"), std::string::npos) << log.Text();
}

TEST(ClSocket, TheDestructorEndsItsThreadsAndReportsNothing) {
    GameServerFixture server;
    RecordingListener listener;
    auto socket = std::make_unique<ClSocket>(&listener);
    socket->Connect(server.Host(), server.Port());
    ASSERT_TRUE(listener.WaitFor(&Reports::connects, 1));
    ASSERT_TRUE(server.WaitForClient());
    // The receive thread sits in a blocking receive: the destructor must wake and join it.
    socket.reset();
    EXPECT_TRUE(server.WaitForClientGone());
    EXPECT_TRUE(listener.Now().closes.empty());
}

// Checks every message the socket hands over against the stream server's messages, from whichever thread
// the socket reports on.
class StreamCheckingListener : public SocketListener {
public:
    void OnConnect(ClSocket* /*socket*/, int /*code*/) override { ++connects; }
    // A message is intact when it is exactly one the server streams and it follows the one before it on the
    // same connection (or starts a new connection's stream): nothing torn, nothing lost, nothing mixed in.
    void OnReceive(ClSocket* socket, int result) override {
        const std::span<const uint8_t> message = socket->IncomingPacket().ReceivedMessage();
        const bool whole = result >= 0 && FrameStreamServer::IsStreamedMessage(message);
        const uint32_t sequence = whole ? FrameStreamServer::SequenceOf(message) : 0;
        if (whole && (sequence == 0 || sequence == lastSequence_ + 1)) {
            ++intact;
        } else {
            ++damaged;
        }
        lastSequence_ = sequence;
        // A listener that takes its time keeps a receive thread busy with what it has already received,
        // as a game scene does; an abandoned connection's thread then lingers while the next one starts.
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    void OnClose(ClSocket* /*socket*/, int /*reason*/) override {}

    bool WaitForIntact(uint64_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(GameServerFixture::kWaitMs);
        while (intact < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return intact >= count;
    }

    // Waits a short while (a few milliseconds) until the count reaches at least target.
    static void WaitBriefly(const std::atomic<uint64_t>& count, uint64_t target) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(5);
        while (count < target && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
    }

    std::atomic<uint64_t> connects{0};
    std::atomic<uint64_t> intact{0};
    std::atomic<uint64_t> damaged{0};

private:
    uint32_t lastSequence_ = 0;  // only the receive thread (one at a time) touches it
};

// Reconnecting while frames stream in must never let two connections feed the one ring buffer: each new
// connection starts on an empty buffer with a single receive thread. Each round reconnects three times about
// a millisecond apart: once while a receive thread is busy delivering, once as the connection it abandoned
// is still winding down, and once more a moment later.
TEST(ClSocketReconnect, QuickReconnectsUnderAFrameStreamNeverDamageAFrame) {
    constexpr int kRounds = 150;
    FrameStreamServer server;
    StreamCheckingListener listener;
    ClSocket socket(&listener);
    socket.EnableEncryption();
    const auto reconnect = [&] {
        const uint64_t connects = listener.connects;
        socket.Connect(server.Host(), server.Port());
        StreamCheckingListener::WaitBriefly(listener.connects, connects + 1);
    };
    for (int round = 0; round < kRounds; ++round) {
        reconnect();
        StreamCheckingListener::WaitBriefly(listener.intact, listener.intact + 30);
        reconnect();
        std::this_thread::sleep_for(std::chrono::microseconds(100 * (round % 4)));
        reconnect();
    }
    EXPECT_TRUE(listener.WaitForIntact(listener.intact + 500)) << "the last connection keeps streaming";
    EXPECT_EQ(listener.damaged, 0u);
    EXPECT_GE(server.ClientsAccepted(), 2u * kRounds);
}

}  // namespace
}  // namespace quill
