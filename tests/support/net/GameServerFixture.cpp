#include "tests/support/net/GameServerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <utility>

#include "platform/net/TcpSocket.h"

namespace kvtest {
namespace {

constexpr uint32_t kAcceptPollMs = 50;  // how often the server looks at its stop flag while idle
constexpr size_t kReceiveChunk = 4096;

}  // namespace

quill::Packet ServerMessage::Read() const {
    quill::Packet packet;
    packet.LoadReceived(bytes);
    return packet;
}

GameServerFixture::GameServerFixture(bool encrypted) : encrypted_(encrypted) {
    const int error = listener_.Listen(0);
    if (error != 0) {
        ADD_FAILURE() << "the game server fixture cannot listen on 127.0.0.1: socket error " << error;
        return;
    }
    thread_.Start([this] { Serve(); });
}

GameServerFixture::~GameServerFixture() {
    {
        std::lock_guard hold(mutex_);
        stopping_ = true;
        if (connection_) {
            connection_->Socket().Shutdown();
        }
    }
    thread_.Join();
}

quill::WString GameServerFixture::Host() const {
    return u"127.0.0.1";
}

uint16_t GameServerFixture::Port() const {
    return listener_.Port();
}

void GameServerFixture::Greet(const quill::Packet& packet) {
    std::lock_guard hold(mutex_);
    greeting_ = packet;
}

void GameServerFixture::GreetWithHello(uint32_t value) {
    quill::Packet hello;
    hello.Init(quill::MessageId::ServerHello).WriteU32(value);
    Greet(hello);
}

void GameServerFixture::ReplyTo(quill::MessageId id, Responder responder) {
    std::lock_guard hold(mutex_);
    responders_[id] = std::move(responder);
}

void GameServerFixture::ReplyWith(quill::MessageId id, std::vector<quill::Packet> replies) {
    ReplyTo(id, [replies = std::move(replies)](const ServerMessage& /*request*/, GameServerFixture& server) {
        for (const quill::Packet& reply : replies) {
            server.Send(reply);
        }
    });
}

bool GameServerFixture::Send(const quill::Packet& packet) {
    const std::shared_ptr<ServerConnection> connection = CurrentConnection();
    if (!connection) {
        return false;
    }
    quill::Packet copy = packet;
    return connection->SendMessages(copy.Finish().Bytes());
}

bool GameServerFixture::SendRaw(std::span<const uint8_t> bytes) {
    const std::shared_ptr<ServerConnection> connection = CurrentConnection();
    return connection && connection->SendRaw(bytes);
}

bool GameServerFixture::SendPartialFrameAndClose(const quill::Packet& packet, size_t byteCount) {
    const std::shared_ptr<ServerConnection> connection = CurrentConnection();
    if (!connection) {
        return false;
    }
    quill::Packet copy = packet;
    const bool sent = connection->SendMessages(copy.Finish().Bytes(), byteCount);
    connection->Socket().Shutdown();
    return sent;
}

std::vector<uint8_t> GameServerFixture::FramesOf(const quill::Packet& packet) const {
    ServerConnection framer(nullptr, encrypted_);
    quill::Packet copy = packet;
    std::span<const uint8_t> frames;
    if (framer.PrepareFrames(copy.Finish().Bytes(), frames) != 0) {
        return {};
    }
    return {frames.begin(), frames.end()};
}

void GameServerFixture::CloseClient() {
    if (const std::shared_ptr<ServerConnection> connection = CurrentConnection()) {
        connection->Socket().Shutdown();
    }
}

bool GameServerFixture::WaitForClient(uint32_t timeoutMs) {
    return WaitUntil(timeoutMs, [this] { return connection_ != nullptr; });
}

bool GameServerFixture::WaitForClients(size_t count, uint32_t timeoutMs) {
    return WaitUntil(timeoutMs, [this, count] { return clientsAccepted_ >= count; });
}

bool GameServerFixture::WaitForClientGone(uint32_t timeoutMs) {
    return WaitUntil(timeoutMs, [this] { return connection_ == nullptr; });
}

bool GameServerFixture::WaitForMessages(size_t count, uint32_t timeoutMs) {
    return WaitUntil(timeoutMs, [this, count] { return received_.size() >= count; });
}

bool GameServerFixture::WaitForMessages(quill::MessageId id, size_t count, uint32_t timeoutMs) {
    return WaitUntil(timeoutMs, [this, id, count] { return CountReceivedLocked(id) >= count; });
}

std::optional<ServerMessage> GameServerFixture::WaitForMessage(quill::MessageId id, uint32_t timeoutMs) {
    std::optional<ServerMessage> found;
    WaitUntil(timeoutMs, [&] {
        for (const ServerMessage& message : received_) {
            if (message.id == id) {
                found = message;
                return true;
            }
        }
        return false;
    });
    return found;
}

std::vector<ServerMessage> GameServerFixture::Received() const {
    std::lock_guard hold(mutex_);
    return received_;
}

size_t GameServerFixture::CountReceived(quill::MessageId id) const {
    std::lock_guard hold(mutex_);
    return CountReceivedLocked(id);
}

size_t GameServerFixture::CountReceivedLocked(quill::MessageId id) const {
    return static_cast<size_t>(
        std::count_if(received_.begin(), received_.end(), [id](const ServerMessage& message) { return message.id == id; }));
}

size_t GameServerFixture::ClientsAccepted() const {
    std::lock_guard hold(mutex_);
    return clientsAccepted_;
}

void GameServerFixture::Serve() {
    for (;;) {
        {
            std::lock_guard hold(mutex_);
            if (stopping_) {
                return;
            }
        }
        std::unique_ptr<platform::TcpSocket> socket = listener_.Accept(kAcceptPollMs);
        if (!socket) {
            continue;
        }
        auto connection = std::make_shared<ServerConnection>(std::move(socket), encrypted_);
        std::optional<quill::Packet> greeting;
        {
            std::lock_guard hold(mutex_);
            if (stopping_) {
                return;
            }
            connection_ = connection;
            ++clientsAccepted_;
            greeting = greeting_;
        }
        changed_.notify_all();
        if (greeting) {
            connection->SendPacket(&*greeting, 0);
        }
        ServeClient(connection);
        {
            std::lock_guard hold(mutex_);
            connection_.reset();
        }
        changed_.notify_all();
    }
}

void GameServerFixture::ServeClient(const std::shared_ptr<ServerConnection>& connection) {
    std::vector<uint8_t> buffer(kReceiveChunk);
    for (;;) {
        int error = 0;
        const int received = connection->Socket().Receive(buffer.data(), buffer.size(), &error);
        if (received <= 0) {
            break;
        }
        std::vector<ServerMessage> arrived;
        const bool intact = connection->FeedReceived({buffer.data(), static_cast<size_t>(received)}, [&](int result) {
            if (result >= 0) {
                const quill::Packet& incoming = connection->IncomingPacket();
                const auto message = incoming.ReceivedMessage();
                arrived.push_back({incoming.Id(), {message.begin(), message.end()}});
            }
        });
        for (const ServerMessage& message : arrived) {
            Record(message);
        }
        if (!intact) {
            break;
        }
    }
    connection->Socket().Shutdown();
}

void GameServerFixture::Record(const ServerMessage& message) {
    Responder responder;
    {
        std::lock_guard hold(mutex_);
        received_.push_back(message);
        const auto found = responders_.find(message.id);
        if (found != responders_.end()) {
            responder = found->second;
        }
    }
    changed_.notify_all();
    if (responder) {
        responder(message, *this);
    }
}

bool GameServerFixture::WaitUntil(uint32_t timeoutMs, const std::function<bool()>& condition) {
    std::unique_lock hold(mutex_);
    return changed_.wait_for(hold, std::chrono::milliseconds(timeoutMs), condition);
}

std::shared_ptr<ServerConnection> GameServerFixture::CurrentConnection() const {
    std::lock_guard hold(mutex_);
    return connection_;
}

}  // namespace kvtest
