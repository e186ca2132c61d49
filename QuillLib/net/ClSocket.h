#pragma once
// The engine's TCP client for the game server. Connect returns at once and connects on a short-lived
// connect thread; a receive thread then reassembles and deciphers the incoming frames and hands each to the
// listener. SendPacket enciphers a whole packet on the caller's thread and queues its frames, which the
// connection's send thread writes to the system socket: a sender never waits for a server that reads slowly or
// not at all. A connection is ended by the server's progress, not by the bytes waiting: when the server has taken
// nothing of the bytes that wait for kSendStallMs (CheckSendProgress), or when a send would let more than
// kSendQueueBound bytes wait, far above what play ever queues (the listener hears OnClose).
//
// Each Connect starts a new attempt with its own system socket. Close and a new Connect abandon the current
// attempt: its socket is shut down, which wakes its threads, and it is closed once they let go of it, so a
// thread never reads a descriptor that a newer connection reuses. An abandoned attempt reports nothing.
// However quickly connects follow each other, one receive thread at most runs: a connection's receive thread
// starts only after the one before it has been joined.
//
// The listener's calls run on the socket's threads; the destructor joins them all, so it must not run
// inside a listener call.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/net/ClSocketBase.h"
#include "QuillLib/net/SocketListener.h"
#include "platform/system/Thread.h"

namespace quill {

class ClSocket : public ClSocketBase {
public:
    static constexpr uint32_t kConnectTimeoutMs = 20000;
    static constexpr uint32_t kReceiveBufferSize = 4096;
    static constexpr uint32_t kSendQueueCapacity = 65536;        // the queue's room at first
    static constexpr uint32_t kSendQueueBound = 16 * 1024 * 1024;  // the most bytes that may wait
    static constexpr uint32_t kSendStallMs = 10000;
    // How long the destructor lets the send thread write what is still queued.
    static constexpr uint32_t kFinalWriteMs = 250;

    explicit ClSocket(SocketListener* listener, const PacketCipherKeys& keys = PacketCipherKeys::BuiltIn());
    ~ClSocket() override;

    // Abandons the current connection and connects to host (dotted IPv4 text or a host name) at port.
    // Returns 0 at once; the outcome arrives through SocketListener::OnConnect.
    int Connect(WStringView host, uint32_t port);

    // Finishes the packet and sends it. Returns 0 whatever the outcome.
    int SendPacket(Packet* packet, int flag = 0) override;

    // Queues a chain of messages under the send lock. Returns 0 (also when not connected: nothing is sent),
    // kBadFrameLength when refused for its form or size (the connection stays), kCipherFailure, or
    // kSendFailed when the frames would pass the send queue's bound (both of the last end the connection). A
    // failure to write the queued frames later ends the connection too.
    int Send(std::span<const uint8_t> messages);

    // Ends the connection, telling the listener, when bytes wait and the server has taken none of them for
    // kSendStallMs by the caller's clock (nowMs, milliseconds). One thread calls it, often (the game thread's tick).
    void CheckSendProgress(uint32_t nowMs);

    // Ends the connection without telling the listener; frames still queued are dropped.
    void Close();

    // Ends the connection and tells the listener (OnClose with 1), when connected.
    void Disconnect();

private:
    struct Attempt;

    void ConnectThread(std::shared_ptr<Attempt> attempt, std::string host, uint32_t port);
    void ReportConnect(const std::shared_ptr<Attempt>& attempt, int code);
    void StartReceiving(const std::shared_ptr<Attempt>& attempt);
    void ReceiveThread(std::shared_ptr<Attempt> attempt);
    // Under BaseLock(), as the attempt's connection comes up.
    void StartSending(const std::shared_ptr<Attempt>& attempt);
    void SendThread(std::shared_ptr<Attempt> attempt);
    // Ends the attempt's connection when it is still the current, connected one; true when this call did.
    bool EndConnection(const std::shared_ptr<Attempt>& attempt);
    std::shared_ptr<Attempt> CurrentAttempt();
    void AbandonCurrentAttempt();
    void ReapRetiredThreads();

    SocketListener* const listener_;
    CriticalSectionLock sendLock_;
    // Held by a connect thread while it joins the receive thread before it and starts its own.
    CriticalSectionLock receiverStartLock_;
    // Guarded by BaseLock().
    std::shared_ptr<Attempt> current_;
    std::unique_ptr<platform::Thread> connectThread_;
    std::unique_ptr<platform::Thread> receiveThread_;
    std::unique_ptr<platform::Thread> sendThread_;
    // Threads of abandoned attempts, joined once they have ended.
    std::vector<std::unique_ptr<platform::Thread>> retiredThreads_;
    // Only the receive thread uses it, and only one runs at a time.
    std::array<uint8_t, kReceiveBufferSize> receiveBuffer_{};
};

}  // namespace quill
