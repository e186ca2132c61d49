#pragma once
// A listening TCP socket on the loopback address, for the stand-in game servers of the tests: the program
// itself only connects. It binds 127.0.0.1 alone, so nothing outside the machine can reach it.
#include <cstdint>
#include <memory>

#include "platform/net/TcpSocket.h"

namespace platform {

class TcpListener {
public:
    TcpListener() = default;
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    // Listens on 127.0.0.1 at port (0: a free port that the system picks). receiveBufferBytes, when not 0, bounds
    // what each accepted connection holds unread, so that a slow reader holds the peer's sender back at once.
    // Returns 0 or the socket error.
    int Listen(uint16_t port, int receiveBufferBytes = 0);

    uint16_t Port() const;

    // The next connection, or null when none arrives within timeoutMs or the listener is closed.
    std::unique_ptr<TcpSocket> Accept(uint32_t timeoutMs);

    void Close();

private:
    int descriptor_ = -1;
    uint16_t port_ = 0;
};

}  // namespace platform
