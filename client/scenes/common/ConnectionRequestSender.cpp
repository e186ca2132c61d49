#include "client/scenes/common/ConnectionRequestSender.h"

#include "client/connection/GameConnection.h"

namespace kestrovan {

bool ConnectionRequestSender::SendByte(quill::MessageId id, uint8_t value) {
    return connection_.SendBytePacket(id, &value);
}

bool ConnectionRequestSender::Send(const std::function<void(quill::Packet&)>& write) {
    return connection_.SendWritten(write);
}

}  // namespace kestrovan
