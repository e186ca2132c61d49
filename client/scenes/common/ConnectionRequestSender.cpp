#include "client/scenes/common/ConnectionRequestSender.h"

#include "client/connection/GameConnection.h"

namespace kestrovan {

void ConnectionRequestSender::SendByte(quill::MessageId id, uint8_t value) {
    connection_.SendBytePacket(id, &value);
}

bool ConnectionRequestSender::Send(const std::function<void(quill::Packet&)>& write) {
    quill::Packet* packet = connection_.AllocPacket();
    if (packet == nullptr) return false;
    write(*packet);
    connection_.SendPacket(packet);
    connection_.FreePacket(packet);
    return true;
}

}  // namespace kestrovan
