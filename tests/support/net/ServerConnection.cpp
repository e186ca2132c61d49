#include "tests/support/net/ServerConnection.h"

#include <algorithm>
#include <utility>

#include "QuillLib/net/PacketCipherKeys.h"

namespace kvtest {

ServerConnection::ServerConnection(std::unique_ptr<platform::TcpSocket> socket, bool encrypted)
    : ClSocketBase(quill::PacketCipherKeys::BuiltIn().Mirrored()), socket_(std::move(socket)) {
    if (encrypted) {
        EnableEncryption();
    }
}

int ServerConnection::SendPacket(quill::Packet* packet, int /*flag*/) {
    SendMessages(packet->Finish().Bytes());
    return 0;
}

bool ServerConnection::SendMessages(std::span<const uint8_t> messages, size_t byteLimit) {
    std::lock_guard hold(sendMutex_);
    std::span<const uint8_t> frames;
    if (PrepareFrames(messages, frames) != 0) {
        return false;
    }
    frames = frames.first(std::min(frames.size(), byteLimit));
    return socket_->SendAll(frames.data(), frames.size()) == 0;
}

bool ServerConnection::SendRaw(std::span<const uint8_t> bytes) {
    std::lock_guard hold(sendMutex_);
    return socket_->SendAll(bytes.data(), bytes.size()) == 0;
}

}  // namespace kvtest
