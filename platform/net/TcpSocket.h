#pragma once
// One TCP connection over IPv4, the program's only kind of socket. Failures come back as Windows socket
// error numbers (SocketError.h).
//
// The descriptor is closed only by Close or the destructor, never behind another thread's back: a thread
// blocked in Receive is woken by Shutdown, and the owner closes once that thread has let go, so a
// descriptor number is never reused while a thread still reads from it. Shutdown may be called from any
// thread, also while another thread opens the socket: the descriptor is held atomically.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class TcpSocket {
public:
    TcpSocket() = default;
    explicit TcpSocket(int descriptor);  // takes over an accepted connection
    ~TcpSocket();
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Resolves host (dotted IPv4 text, or a name looked up through the resolver) to an address in
    // network byte order. Returns 0 or the socket error.
    static int ResolveIpv4(const std::string& host, uint32_t* address);

    // Creates the socket. Returns 0 or the socket error.
    int Open();

    int SetLinger(bool enabled, uint16_t seconds);

    // Connects to address (network byte order) and port. Gives up with kSocketTimedOut after timeoutMs, and
    // with kSocketInterrupted soon after cancel becomes true. Returns 0 or the socket error.
    int Connect(uint32_t address, uint16_t port, uint32_t timeoutMs, const std::atomic<bool>* cancel = nullptr);

    // Sends every byte, going on after partial writes and interruptions. Returns 0 or the socket error.
    int SendAll(const void* data, size_t size);

    // The bytes the system still holds for the peer: not sent yet, or sent and not acknowledged. 0 when it cannot
    // tell. Any thread; it moves only while the peer takes bytes in.
    uint32_t UnsentBytes() const;

    // Receives up to size bytes. Returns the count, 0 when the peer closed, or -1 with *error set.
    int Receive(void* buffer, size_t size, int* error);

    // Ends both directions; a thread blocked in Receive returns. The descriptor stays open.
    void Shutdown();

    // Closes the descriptor. Returns 0 (also when nothing was open) or the socket error.
    int Close();

private:
    std::atomic<int> descriptor_{-1};
};

}  // namespace platform
