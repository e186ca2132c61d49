#pragma once
// How a screen's windows send their requests to the game server: a request of one byte, or a message written
// into a pooled packet and sent at once. The program sends through the game connection; tests keep the bytes.
//
// Threads: any thread that handles the window's input; the connection's sends are serialised by its socket.
#include <cstdint>
#include <functional>

#include "QuillLib/net/MessageId.h"
#include "QuillLib/net/Packet.h"

namespace kestrovan {

class RequestSender {
public:
    virtual ~RequestSender() = default;
    // Each is false when the request did not go.
    virtual bool SendByte(quill::MessageId id, uint8_t value) = 0;
    // write fills the packet (Init with the message id first).
    virtual bool Send(const std::function<void(quill::Packet&)>& write) = 0;
};

}  // namespace kestrovan
