#include "tests/support/net/FrameStreamServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "tests/support/net/ServerConnection.h"

namespace kvtest {
namespace {

constexpr uint32_t kAcceptSliceMs = 20;  // how often the server looks at its stop flag while idle
constexpr uint32_t kLongestPayloadTail = 300;

uint32_t PayloadTailLength(uint32_t sequence) {
    return sequence % kLongestPayloadTail + 1;
}

uint8_t PayloadByte(uint32_t sequence, uint32_t index) {
    return static_cast<uint8_t>(sequence * 31u + index * 7u + 1u);
}

}  // namespace

struct FrameStreamServer::Client {
    Client(std::unique_ptr<platform::TcpSocket> socket, bool encrypted) : connection(std::move(socket), encrypted) {}

    ServerConnection connection;
    std::atomic<bool> ended{false};
    platform::Thread thread;
};

FrameStreamServer::FrameStreamServer(bool encrypted) : encrypted_(encrypted) {
    const int error = listener_.Listen(0);
    if (error != 0) {
        ADD_FAILURE() << "the frame stream server cannot listen on 127.0.0.1: socket error " << error;
        return;
    }
    thread_.Start([this] { Serve(); });
}

FrameStreamServer::~FrameStreamServer() {
    stopping_ = true;
    thread_.Join();
    std::vector<std::unique_ptr<Client>> clients;
    {
        std::lock_guard hold(mutex_);
        clients.swap(clients_);
    }
    for (const auto& client : clients) {
        client->connection.Socket().Shutdown();
    }
    for (const auto& client : clients) {
        client->thread.Join();
    }
}

quill::WString FrameStreamServer::Host() const {
    return u"127.0.0.1";
}

uint16_t FrameStreamServer::Port() const {
    return listener_.Port();
}

size_t FrameStreamServer::ClientsAccepted() const {
    std::lock_guard hold(mutex_);
    return clientsAccepted_;
}

quill::Packet FrameStreamServer::StreamedMessage(uint32_t sequence) {
    quill::Packet packet;
    packet.Init(kStreamedId).WriteU32(sequence);
    for (uint32_t i = 0; i < PayloadTailLength(sequence); ++i) {
        packet.WriteU8(PayloadByte(sequence, i));
    }
    return packet;
}

bool FrameStreamServer::IsStreamedMessage(std::span<const uint8_t> message) {
    if (message.size() < quill::Packet::kHeaderSize + 4) {
        return false;
    }
    quill::Packet expected = StreamedMessage(SequenceOf(message));
    const std::span<const uint8_t> bytes = expected.Finish().Bytes();
    return std::equal(message.begin(), message.end(), bytes.begin(), bytes.end());
}

uint32_t FrameStreamServer::SequenceOf(std::span<const uint8_t> message) {
    return message[4] | (message[5] << 8) | (message[6] << 16) | (uint32_t{message[7]} << 24);
}

void FrameStreamServer::Serve() {
    while (!stopping_) {
        ReapEndedClients();
        std::unique_ptr<platform::TcpSocket> socket = listener_.Accept(kAcceptSliceMs);
        if (!socket) {
            continue;
        }
        auto client = std::make_unique<Client>(std::move(socket), encrypted_);
        Client& started = *client;
        {
            std::lock_guard hold(mutex_);
            ++clientsAccepted_;
            clients_.push_back(std::move(client));
        }
        started.thread.Start([this, &started] { Stream(started); });
    }
}

void FrameStreamServer::Stream(Client& client) {
    for (uint32_t sequence = 0; !stopping_; ++sequence) {
        quill::Packet message = StreamedMessage(sequence);
        if (!client.connection.SendMessages(message.Finish().Bytes())) {
            break;
        }
    }
    client.connection.Socket().Shutdown();
    client.ended = true;
}

void FrameStreamServer::ReapEndedClients() {
    std::lock_guard hold(mutex_);
    std::erase_if(clients_, [](const std::unique_ptr<Client>& client) { return client->ended && client->thread.Join(); });
}

}  // namespace kvtest
