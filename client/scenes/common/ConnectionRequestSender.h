#pragma once
// The requests of a screen's windows through the game connection: its one-byte send, or a packet of its pool
// written, sent and given back.
//
// Threads: as GameConnection's sends.
#include "client/scenes/common/RequestSender.h"

namespace kestrovan {

class GameConnection;

class ConnectionRequestSender : public RequestSender {
public:
    explicit ConnectionRequestSender(GameConnection& connection) : connection_(connection) {}

    bool SendByte(quill::MessageId id, uint8_t value) override;
    bool Send(const std::function<void(quill::Packet&)>& write) override;

private:
    GameConnection& connection_;
};

}  // namespace kestrovan
