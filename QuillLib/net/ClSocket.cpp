#include "QuillLib/net/ClSocket.h"

#include <atomic>
#include <utility>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/net/SendQueue.h"
#include "platform/net/TcpSocket.h"
#include "platform/system/CodePage.h"

namespace quill {
namespace {

// For the log: the id of a chain's first message, -1 when it has none.
int FirstMessageId(std::span<const uint8_t> messages) {
    return messages.size() >= Packet::kHeaderSize ? messages[2] | (messages[3] << 8) : -1;
}

}  // namespace

// One connection attempt: its system socket and the frames queued for it, shared by the threads that use them and
// closed when the last of them lets go.
struct ClSocket::Attempt {
    platform::TcpSocket socket;
    SendQueue outgoing{kSendQueueCapacity, kSendQueueBound};
    std::atomic<bool> abandoned{false};

    ~Attempt() {
        const int error = socket.Close();
        if (error != 0) {
            TheLog().LogError(u"ERROR : closesocket() %d\n", error);
        }
    }

    void Abandon() {
        abandoned = true;
        outgoing.Close();
        socket.Shutdown();
    }
};

ClSocket::ClSocket(SocketListener* listener, const PacketCipherKeys& keys) : ClSocketBase(keys), listener_(listener) {}

ClSocket::~ClSocket() {
    // What was sent last (a farewell) still reaches a server that reads; one that does not read holds nothing up.
    if (const std::shared_ptr<Attempt> attempt = CurrentAttempt(); attempt && State() == 1) {
        attempt->outgoing.WaitUntilWritten(kFinalWriteMs);
    }
    std::vector<std::unique_ptr<platform::Thread>> threads;
    {
        ScopedLock hold(BaseLock());
        AbandonCurrentAttempt();
        SetState(0);
        threads = std::move(retiredThreads_);
        threads.push_back(std::move(connectThread_));
        threads.push_back(std::move(receiveThread_));
        threads.push_back(std::move(sendThread_));
    }
    for (auto& thread : threads) {
        if (thread) {
            thread->Join();
        }
    }
}

int ClSocket::Connect(WStringView host, uint32_t port) {
    auto attempt = std::make_shared<Attempt>();
    ScopedLock hold(BaseLock());
    AbandonCurrentAttempt();
    SetState(0);
    current_ = attempt;
    ReapRetiredThreads();
    if (connectThread_) {
        retiredThreads_.push_back(std::move(connectThread_));
    }
    connectThread_ = std::make_unique<platform::Thread>();
    connectThread_->Start(
        [this, attempt, host = platform::ToCodePage(host), port] { ConnectThread(attempt, host, port); });
    return 0;
}

int ClSocket::SendPacket(Packet* packet, int /*flag*/) {
    if (packet == nullptr) {
        return 0;
    }
    packet->Finish();
    if (packet->Overflowed()) {
        TheLog().LogError(u"WARNING : OVERFLOWED PACKET NOT SENT %d\n", static_cast<int>(packet->Id()));
        return 0;
    }
    Send(packet->Bytes());
    return 0;
}

int ClSocket::Send(std::span<const uint8_t> messages) {
    ScopedLock hold(sendLock_);
    const std::shared_ptr<Attempt> attempt = CurrentAttempt();
    if (State() != 1 || !attempt) {
        TheLog().LogError(u"WARNING : MESSAGE %d NOT SENT, NOT CONNECTED\n", FirstMessageId(messages));
        return 0;
    }
    std::span<const uint8_t> frames;
    const int prepared = PrepareFrames(messages, frames);
    if (prepared == kCipherFailure) {
        TheLog().LogError(u"** ENCRYPT ERROR\n");
        EndConnection(attempt);
        return kCipherFailure;
    }
    if (prepared != 0) {
        return prepared;
    }
    if (!attempt->outgoing.Append(frames)) {
        TheLog().LogError(
            u"WARNING : MESSAGE %d NOT SENT, THE SERVER READS TOO SLOWLY (%d BYTES WAIT); CONNECTION ENDED\n",
            FirstMessageId(messages), static_cast<int>(attempt->outgoing.Waiting()));
        EndConnection(attempt);
        return kSendFailed;
    }
    return 0;
}

void ClSocket::CheckSendProgress(uint32_t nowMs) {
    const std::shared_ptr<Attempt> attempt = CurrentAttempt();
    if (!attempt || State() != 1 ||
        !attempt->outgoing.HasStalled(attempt->socket.UnsentBytes(), nowMs, kSendStallMs)) {
        return;
    }
    TheLog().LogError(u"WARNING : THE SERVER HAS READ NOTHING FOR %d S (%d BYTES WAIT); CONNECTION ENDED\n",
                      static_cast<int>(kSendStallMs / 1000), static_cast<int>(attempt->outgoing.Waiting()));
    EndConnection(attempt);
}

void ClSocket::Close() {
    ScopedLock hold(BaseLock());
    AbandonCurrentAttempt();
    SetState(0);
}

void ClSocket::Disconnect() {
    EndConnection(CurrentAttempt());
}

void ClSocket::ConnectThread(std::shared_ptr<Attempt> attempt, std::string host, uint32_t port) {
    int error = attempt->socket.Open();
    if (error != 0) {
        ReportConnect(attempt, error);
        return;
    }
    uint32_t address = 0;
    error = platform::TcpSocket::ResolveIpv4(host, &address);
    if (error != 0) {
        ReportConnect(attempt, error);
        return;
    }
    attempt->socket.SetLinger(false, 1);
    if (attempt->socket.Connect(address, static_cast<uint16_t>(port), kConnectTimeoutMs, &attempt->abandoned) != 0) {
        ReportConnect(attempt, -1);
        return;
    }
    {
        ScopedLock hold(BaseLock());
        if (attempt->abandoned) {
            return;
        }
        SetState(1);
        StartSending(attempt);
    }
    listener_->OnConnect(this, 0);
    StartReceiving(attempt);
}

void ClSocket::ReportConnect(const std::shared_ptr<Attempt>& attempt, int code) {
    {
        ScopedLock hold(BaseLock());
        if (attempt->abandoned) {
            return;
        }
        if (current_ == attempt) {
            current_.reset();
        }
    }
    listener_->OnConnect(this, code);
}

void ClSocket::StartReceiving(const std::shared_ptr<Attempt>& attempt) {
    // The connect threads of quick reconnects can get here together. One at a time, each joins the receive
    // thread before its own starts, so a single thread ever feeds the ring buffer, and the buffer starts
    // empty for each connection.
    ScopedLock starting(receiverStartLock_);
    std::unique_ptr<platform::Thread> previous;
    {
        ScopedLock hold(BaseLock());
        if (attempt->abandoned) {
            return;
        }
        previous = std::move(receiveThread_);
    }
    // Its connection has ended or was abandoned (its socket shut down), so it is ending.
    if (previous) {
        previous->Join();
    }
    ClearReceived();
    ScopedLock hold(BaseLock());
    if (attempt->abandoned) {
        return;
    }
    receiveThread_ = std::make_unique<platform::Thread>();
    receiveThread_->Start([this, attempt] { ReceiveThread(attempt); });
}

void ClSocket::ReceiveThread(std::shared_ptr<Attempt> attempt) {
    // What is still buffered when the connection is abandoned is taken out but reported to nobody.
    const auto report = [this, &attempt](int result) {
        if (!attempt->abandoned) {
            listener_->OnReceive(this, result);
        }
    };
    for (;;) {
        int error = 0;
        const int received = attempt->socket.Receive(receiveBuffer_.data(), receiveBuffer_.size(), &error);
        if (received <= 0) {
            if (received < 0 && !attempt->abandoned) {
                SetLastError(error);
            }
            EndConnection(attempt);
            return;
        }
        if (!FeedReceived({receiveBuffer_.data(), static_cast<size_t>(received)}, report)) {
            EndConnection(attempt);
            return;
        }
        if (attempt->abandoned) {
            return;
        }
    }
}

void ClSocket::StartSending(const std::shared_ptr<Attempt>& attempt) {
    // The thread before it served an abandoned attempt, whose closed queue has woken it.
    if (sendThread_) {
        retiredThreads_.push_back(std::move(sendThread_));
    }
    sendThread_ = std::make_unique<platform::Thread>();
    sendThread_->Start([this, attempt] { SendThread(attempt); });
}

// Writes the queued frames as they come. The last error keeps the receive side's failures; a failed write shows
// as the closed connection.
void ClSocket::SendThread(std::shared_ptr<Attempt> attempt) {
    std::array<uint8_t, kReceiveBufferSize> chunk{};
    for (;;) {
        const size_t taken = attempt->outgoing.Take(chunk);
        if (taken == 0) {
            return;
        }
        const bool written = attempt->socket.SendAll(chunk.data(), taken) == 0;
        attempt->outgoing.MarkWritten();
        if (!written) {
            EndConnection(attempt);
            return;
        }
    }
}

bool ClSocket::EndConnection(const std::shared_ptr<Attempt>& attempt) {
    {
        ScopedLock hold(BaseLock());
        if (!attempt || current_ != attempt || State() != 1) {
            return false;
        }
        AbandonCurrentAttempt();
        SetState(0);
    }
    listener_->OnClose(this, 1);
    return true;
}

std::shared_ptr<ClSocket::Attempt> ClSocket::CurrentAttempt() {
    ScopedLock hold(BaseLock());
    return current_;
}

void ClSocket::AbandonCurrentAttempt() {
    if (current_) {
        current_->Abandon();
        current_.reset();
    }
}

void ClSocket::ReapRetiredThreads() {
    // Join(0) joins a thread that has ended and leaves a running one (or the calling thread) for later.
    std::erase_if(retiredThreads_, [](const std::unique_ptr<platform::Thread>& thread) { return thread->Join(0); });
}

}  // namespace quill
