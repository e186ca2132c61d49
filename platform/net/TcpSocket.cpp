#include "platform/net/TcpSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "platform/net/SocketError.h"

namespace platform {
namespace {

// A pending connect is looked at this often, so that a cancel is seen promptly.
constexpr int kConnectPollSliceMs = 50;

int LastError() {
    return SocketErrorFromErrno(errno);
}

bool SetBlocking(int descriptor, bool blocking) {
    const int flags = fcntl(descriptor, F_GETFL, 0);
    if (flags < 0) {
        return false;
    }
    const int wanted = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return fcntl(descriptor, F_SETFL, wanted) == 0;
}

// Waits for a non-blocking connect to finish. Returns 0 or the socket error.
int AwaitConnect(int descriptor, uint32_t timeoutMs, const std::atomic<bool>* cancel) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (cancel != nullptr && cancel->load()) {
            return kSocketInterrupted;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return kSocketTimedOut;
        }
        pollfd entry{descriptor, POLLOUT, 0};
        const int ready = poll(&entry, 1, static_cast<int>(std::min<long long>(left, kConnectPollSliceMs)));
        if (ready < 0 && errno != EINTR) {
            return LastError();
        }
        if (ready > 0) {
            int error = 0;
            socklen_t length = sizeof(error);
            if (getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
                return LastError();
            }
            return error == 0 ? 0 : SocketErrorFromErrno(error);
        }
    }
}

}  // namespace

TcpSocket::TcpSocket(int descriptor) : descriptor_(descriptor) {}

TcpSocket::~TcpSocket() {
    Close();
}

int TcpSocket::ResolveIpv4(const std::string& host, uint32_t* address) {
    in_addr dotted{};
    if (inet_pton(AF_INET, host.c_str(), &dotted) == 1) {
        *address = dotted.s_addr;
        return 0;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int result = getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (result != 0) {
        return SocketErrorFromResolver(result, errno);
    }
    *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return 0;
}

int TcpSocket::Open() {
    Close();
    const int descriptor = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (descriptor < 0) {
        return LastError();
    }
    descriptor_ = descriptor;
    return 0;
}

int TcpSocket::SetLinger(bool enabled, uint16_t seconds) {
    const linger value{enabled ? 1 : 0, seconds};
    return setsockopt(descriptor_, SOL_SOCKET, SO_LINGER, &value, sizeof(value)) == 0 ? 0 : LastError();
}

int TcpSocket::Connect(uint32_t address, uint16_t port, uint32_t timeoutMs, const std::atomic<bool>* cancel) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = address;
    if (!SetBlocking(descriptor_, false)) {
        return LastError();
    }
    int result = 0;
    if (connect(descriptor_, reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) != 0) {
        result = (errno == EINPROGRESS || errno == EINTR) ? AwaitConnect(descriptor_, timeoutMs, cancel) : LastError();
    }
    if (!SetBlocking(descriptor_, true) && result == 0) {
        result = LastError();
    }
    return result;
}

int TcpSocket::SendAll(const void* data, size_t size) {
    const auto* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t sent = send(descriptor_, next, size, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN) {
                pollfd entry{descriptor_, POLLOUT, 0};
                (void)poll(&entry, 1, kConnectPollSliceMs);
                continue;
            }
            return LastError();
        }
        next += sent;
        size -= static_cast<size_t>(sent);
    }
    return 0;
}

uint32_t TcpSocket::UnsentBytes() const {
    int unsent = 0;
    if (ioctl(descriptor_, SIOCOUTQ, &unsent) != 0 || unsent < 0) {
        return 0;
    }
    return static_cast<uint32_t>(unsent);
}

int TcpSocket::Receive(void* buffer, size_t size, int* error) {
    for (;;) {
        const ssize_t received = recv(descriptor_, buffer, size, 0);
        if (received >= 0) {
            return static_cast<int>(received);
        }
        if (errno != EINTR) {
            *error = LastError();
            return -1;
        }
    }
}

void TcpSocket::Shutdown() {
    const int descriptor = descriptor_;
    if (descriptor >= 0) {
        (void)shutdown(descriptor, SHUT_RDWR);
    }
}

int TcpSocket::Close() {
    const int descriptor = descriptor_.exchange(-1);
    if (descriptor < 0) {
        return 0;
    }
    return close(descriptor) == 0 ? 0 : LastError();
}

}  // namespace platform
