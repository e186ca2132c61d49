#include <gtest/gtest.h>
#include <netdb.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <numeric>
#include <thread>
#include <utility>
#include <vector>

#include "platform/net/SocketError.h"
#include "platform/net/TcpListener.h"
#include "platform/net/TcpSocket.h"

namespace platform {
namespace {

constexpr uint32_t kWaitMs = 10000;

uint32_t Loopback() {
    uint32_t address = 0;
    EXPECT_EQ(TcpSocket::ResolveIpv4("127.0.0.1", &address), 0);
    return address;
}

// A client connected over loopback, and the server's end of its connection.
class ConnectedTcpSocket : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(listener_.Listen(0), 0);
        ASSERT_EQ(client_.Open(), 0);
        ASSERT_EQ(client_.Connect(Loopback(), listener_.Port(), kWaitMs), 0);
        server_ = listener_.Accept(kWaitMs);
        ASSERT_NE(server_, nullptr);
    }

    TcpListener listener_;
    TcpSocket client_;
    std::unique_ptr<TcpSocket> server_;
};

TEST(SocketError, CarriesTheWindowsNumbersOfTheSystemCodes) {
    // Linux numbers most socket codes otherwise than the Berkeley numbering the Windows codes follow.
    const std::pair<int, int> errnoCodes[] = {
        {EINTR, 10004},           {EINVAL, 10022},       {EAGAIN, kSocketWouldBlock},
        {EPIPE, 10054},           {ECONNREFUSED, 10061}, {ETIMEDOUT, kSocketTimedOut},
        {ESOCKTNOSUPPORT, 10044}, {EPFNOSUPPORT, 10046}, {ETOOMANYREFS, 10059},
        {ELOOP, 10062},           {ENAMETOOLONG, 10063}, {ENOTEMPTY, 10066},
    };
    for (const auto& [error, expected] : errnoCodes) {
        EXPECT_EQ(SocketErrorFromErrno(error), expected) << "errno " << error;
    }
    EXPECT_EQ(SocketErrorFromResolver(EAI_NONAME, 0), kSocketHostNotFound);
    EXPECT_EQ(SocketErrorFromResolver(EAI_SYSTEM, ECONNREFUSED), kSocketConnectionRefused);
}

TEST(TcpSocket, AConnectToAClosedPortIsRefused) {
    uint16_t port = 0;
    {
        TcpListener listener;
        ASSERT_EQ(listener.Listen(0), 0);
        port = listener.Port();
    }
    TcpSocket socket;
    ASSERT_EQ(socket.Open(), 0);
    EXPECT_EQ(socket.Connect(Loopback(), port, kWaitMs), kSocketConnectionRefused);
}

TEST_F(ConnectedTcpSocket, SendsEveryByteAndSeesThePeerClose) {
    // More than the socket buffers hold, so that the sender has to go on after partial writes.
    std::vector<uint8_t> sent(4 << 20);
    std::iota(sent.begin(), sent.end(), uint8_t{0});
    std::thread sender([&] {
        EXPECT_EQ(client_.SendAll(sent.data(), sent.size()), 0);
        client_.Shutdown();
    });
    std::vector<uint8_t> received;
    std::vector<uint8_t> buffer(65536);
    int error = 0;
    for (int count; (count = server_->Receive(buffer.data(), buffer.size(), &error)) > 0;) {
        received.insert(received.end(), buffer.begin(), buffer.begin() + count);
    }
    sender.join();
    EXPECT_EQ(received, sent);
}

TEST_F(ConnectedTcpSocket, ShutdownWakesABlockedReceive) {
    int result = 1;
    std::thread receiver([&] {
        uint8_t byte = 0;
        int error = 0;
        result = client_.Receive(&byte, 1, &error);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    client_.Shutdown();
    receiver.join();
    EXPECT_EQ(result, 0);
}

TEST_F(ConnectedTcpSocket, SendingToAGonePeerFailsWithoutASignal) {
    server_.reset();  // accepted and closed at once
    const std::vector<uint8_t> data(65536, 1);
    int result = 0;
    for (int i = 0; i < 100 && result == 0; ++i) {
        result = client_.SendAll(data.data(), data.size());
    }
    EXPECT_EQ(result, kSocketConnectionReset);
}

}  // namespace
}  // namespace platform
