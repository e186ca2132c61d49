#include <gtest/gtest.h>

#include <numeric>
#include <thread>
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

TEST(TcpSocket, SendsEveryByteAndSeesThePeerClose) {
    TcpListener listener;
    ASSERT_EQ(listener.Listen(0), 0);
    TcpSocket client;
    ASSERT_EQ(client.Open(), 0);
    ASSERT_EQ(client.Connect(Loopback(), listener.Port(), kWaitMs), 0);
    std::unique_ptr<TcpSocket> server = listener.Accept(kWaitMs);
    ASSERT_NE(server, nullptr);

    // More than the socket buffers hold, so that the sender has to go on after partial writes.
    std::vector<uint8_t> sent(4 << 20);
    std::iota(sent.begin(), sent.end(), uint8_t{0});
    std::thread sender([&] {
        EXPECT_EQ(client.SendAll(sent.data(), sent.size()), 0);
        client.Shutdown();
    });
    std::vector<uint8_t> received;
    std::vector<uint8_t> buffer(65536);
    int error = 0;
    for (int count; (count = server->Receive(buffer.data(), buffer.size(), &error)) > 0;) {
        received.insert(received.end(), buffer.begin(), buffer.begin() + count);
    }
    sender.join();
    EXPECT_EQ(received, sent);
}

TEST(TcpSocket, ShutdownWakesABlockedReceive) {
    TcpListener listener;
    ASSERT_EQ(listener.Listen(0), 0);
    TcpSocket client;
    ASSERT_EQ(client.Open(), 0);
    ASSERT_EQ(client.Connect(Loopback(), listener.Port(), kWaitMs), 0);
    std::unique_ptr<TcpSocket> server = listener.Accept(kWaitMs);
    ASSERT_NE(server, nullptr);

    int result = 1;
    std::thread receiver([&] {
        uint8_t byte = 0;
        int error = 0;
        result = client.Receive(&byte, 1, &error);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    client.Shutdown();
    receiver.join();
    EXPECT_EQ(result, 0);
}

TEST(TcpSocket, SendingToAGonePeerFailsWithoutASignal) {
    TcpListener listener;
    ASSERT_EQ(listener.Listen(0), 0);
    TcpSocket client;
    ASSERT_EQ(client.Open(), 0);
    ASSERT_EQ(client.Connect(Loopback(), listener.Port(), kWaitMs), 0);
    listener.Accept(kWaitMs).reset();  // accepted and closed at once

    const std::vector<uint8_t> data(65536, 1);
    int result = 0;
    for (int i = 0; i < 100 && result == 0; ++i) {
        result = client.SendAll(data.data(), data.size());
    }
    EXPECT_EQ(result, kSocketConnectionReset);
}

}  // namespace
}  // namespace platform
