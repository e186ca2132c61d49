#pragma once
// The server's end of one client connection in the test servers: the client's framing with the key material
// mirrored, over an accepted loopback socket. Sends may come from several threads; each sends whole frames.
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

#include "QuillLib/net/ClSocketBase.h"
#include "platform/net/TcpSocket.h"

namespace kvtest {

class ServerConnection : public quill::ClSocketBase {
public:
    ServerConnection(std::unique_ptr<platform::TcpSocket> socket, bool encrypted);

    int SendPacket(quill::Packet* packet, int flag) override;
    // Sends a chain of messages as frames; false when they cannot be framed or the send fails.
    // byteLimit cuts the frames short, for a server that dies in the middle of one.
    bool SendMessages(std::span<const uint8_t> messages, size_t byteLimit = SIZE_MAX);
    // Sends bytes as they stand, for streams that a real server would never produce.
    bool SendRaw(std::span<const uint8_t> bytes);

    platform::TcpSocket& Socket() { return *socket_; }

private:
    std::mutex sendMutex_;
    std::unique_ptr<platform::TcpSocket> socket_;
};

}  // namespace kvtest
