#pragma once
// A stand-in game server on 127.0.0.1 for tests of the connection and the screens. It listens on a port
// the system picks, accepts one client at a time (a new one after the previous has gone), frames and
// enciphers exactly as the client does with the built-in key material, answers scripted replies, and
// records every message it receives (keep-alives included).
//
//   GameServerFixture server;
//   server.GreetWithHello();                         // ServerHello as each client connects
//   server.ReplyWith(MessageId::LoginRequest, {loginResult, inventoryList});   // canned replies
//   server.ReplyTo(MessageId::ChannelEnter, [](const ServerMessage& request, GameServerFixture& s) {
//       s.Send(answerFor(request));              // replies computed from the request
//   });
//   socket.Connect(server.Host(), server.Port());
//   auto login = server.WaitForMessage(MessageId::LoginRequest);
//   server.SendRaw(garbage);  server.SendPartialFrameAndClose(message, 5);  server.CloseClient();
//
// Waits take generous bounds and return false (or nothing) when they pass.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"
#include "platform/net/TcpListener.h"
#include "platform/system/Thread.h"
#include "tests/support/net/ServerConnection.h"

namespace kvtest {

// One message as the server received it, deciphered.
struct ServerMessage {
    quill::MessageId id{};
    std::vector<uint8_t> bytes;  // the whole message: length, id, payload

    // The message in a packet, its cursor on the first payload byte.
    quill::Packet Read() const;
};

class GameServerFixture {
public:
    using Responder = std::function<void(const ServerMessage& request, GameServerFixture& server)>;

    // A bound for a failure only, generous: what a client sends comes within a second even under ThreadSanitizer
    // on a loaded machine, yet a run starved beside other work has taken more than ten seconds.
    static constexpr uint32_t kWaitMs = 30000;

    // encrypted: frames are enciphered as the client enciphers them once it has enabled encryption.
    explicit GameServerFixture(bool encrypted = true);
    ~GameServerFixture();
    GameServerFixture(const GameServerFixture&) = delete;
    GameServerFixture& operator=(const GameServerFixture&) = delete;

    quill::WString Host() const;
    uint16_t Port() const;

    // Sent to each client as soon as it is accepted (the game server speaks first).
    void Greet(const quill::Packet& packet);
    // Greets each client with ServerHello carrying value.
    void GreetWithHello(uint32_t value = 0);
    // Runs responder on the server's thread whenever a message with this id arrives.
    void ReplyTo(quill::MessageId id, Responder responder);
    // Answers every message with this id by sending the replies, in order.
    void ReplyWith(quill::MessageId id, std::vector<quill::Packet> replies);

    // Sends the packet's messages to the current client, one frame each. False when no client is there or
    // the send fails.
    bool Send(const quill::Packet& packet);
    // Sends bytes as they stand, for streams that a real server would never produce.
    bool SendRaw(std::span<const uint8_t> bytes);
    // Sends only the first byteCount bytes of the packet's frames, then ends the connection.
    bool SendPartialFrameAndClose(const quill::Packet& packet, size_t byteCount);
    // The bytes Send would put on the wire for the packet, for streams prepared ahead (each frame is
    // enciphered on its own, so prepared frames can be sent any number of times, in any order).
    std::vector<uint8_t> FramesOf(const quill::Packet& packet) const;
    // Ends the current client's connection from the server's side.
    void CloseClient();

    bool WaitForClient(uint32_t timeoutMs = kWaitMs);
    // Waits until count clients have been accepted in all.
    bool WaitForClients(size_t count, uint32_t timeoutMs = kWaitMs);
    // Waits until the current client has gone (closed by either side).
    bool WaitForClientGone(uint32_t timeoutMs = kWaitMs);
    // Waits until count messages have been received in all.
    bool WaitForMessages(size_t count, uint32_t timeoutMs = kWaitMs);
    // Waits until count messages of this id have been received in all.
    bool WaitForMessages(quill::MessageId id, size_t count, uint32_t timeoutMs = kWaitMs);
    // The first received message with this id, waiting for it when none has come yet.
    std::optional<ServerMessage> WaitForMessage(quill::MessageId id, uint32_t timeoutMs = kWaitMs);

    std::vector<ServerMessage> Received() const;
    size_t CountReceived(quill::MessageId id) const;
    size_t ClientsAccepted() const;

private:
    void Serve();
    void ServeClient(const std::shared_ptr<ServerConnection>& connection);
    void Record(const ServerMessage& message);
    bool WaitUntil(uint32_t timeoutMs, const std::function<bool()>& condition);
    size_t CountReceivedLocked(quill::MessageId id) const;  // mutex_ held
    std::shared_ptr<ServerConnection> CurrentConnection() const;

    const bool encrypted_;
    platform::TcpListener listener_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    std::shared_ptr<ServerConnection> connection_;
    size_t clientsAccepted_ = 0;
    std::optional<quill::Packet> greeting_;
    std::map<quill::MessageId, Responder> responders_;
    std::vector<ServerMessage> received_;
    platform::Thread thread_;
};

}  // namespace kvtest
