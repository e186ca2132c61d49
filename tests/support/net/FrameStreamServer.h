#pragma once
// A loopback server that streams valid frames to every client it accepts, each client on its own thread,
// until the client goes or the server stops. Every message carries its running number within the
// connection and a payload made from that number, of varying length, so that a receiver can check each
// message byte for byte (IsStreamedMessage) however the frames were cut on the way.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "QuillLib/core/WString.h"
#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"
#include "platform/net/TcpListener.h"
#include "platform/system/Thread.h"

namespace kvtest {

class FrameStreamServer {
public:
    static constexpr quill::MessageId kStreamedId = quill::MessageId::ServerLine;

    explicit FrameStreamServer(bool encrypted = true);
    ~FrameStreamServer();
    FrameStreamServer(const FrameStreamServer&) = delete;
    FrameStreamServer& operator=(const FrameStreamServer&) = delete;

    quill::WString Host() const;
    uint16_t Port() const;
    size_t ClientsAccepted() const;

    // The message with running number sequence: u32 sequence, then 1 to 300 bytes made from it.
    static quill::Packet StreamedMessage(uint32_t sequence);
    // Whether message (length, id and payload) is exactly one that the server streams.
    static bool IsStreamedMessage(std::span<const uint8_t> message);
    // The running number of a streamed message.
    static uint32_t SequenceOf(std::span<const uint8_t> message);

private:
    struct Client;

    void Serve();
    void Stream(Client& client);
    void ReapEndedClients();

    const bool encrypted_;
    platform::TcpListener listener_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<Client>> clients_;  // guarded by mutex_
    size_t clientsAccepted_ = 0;                    // guarded by mutex_
    platform::Thread thread_;
};

}  // namespace kvtest
