#include "platform/net/TcpListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/net/SocketError.h"

namespace platform {

TcpListener::~TcpListener() {
    Close();
}

int TcpListener::Listen(uint16_t port, int receiveBufferBytes) {
    Close();
    descriptor_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (descriptor_ < 0) {
        return SocketErrorFromErrno(errno);
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    // Set before listening: accepted connections inherit it, and their window is offered from it.
    if ((receiveBufferBytes > 0 && setsockopt(descriptor_, SOL_SOCKET, SO_RCVBUF, &receiveBufferBytes,
                                              sizeof(receiveBufferBytes)) != 0) ||
        bind(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(descriptor_, SOMAXCONN) != 0 ||
        getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        const int error = SocketErrorFromErrno(errno);
        Close();
        return error;
    }
    port_ = ntohs(address.sin_port);
    return 0;
}

uint16_t TcpListener::Port() const {
    return port_;
}

std::unique_ptr<TcpSocket> TcpListener::Accept(uint32_t timeoutMs) {
    if (descriptor_ < 0) {
        return nullptr;
    }
    pollfd entry{descriptor_, POLLIN, 0};
    if (poll(&entry, 1, static_cast<int>(timeoutMs)) <= 0) {
        return nullptr;
    }
    const int connection = accept4(descriptor_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
        return nullptr;
    }
    return std::make_unique<TcpSocket>(connection);
}

void TcpListener::Close() {
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    port_ = 0;
}

}  // namespace platform
