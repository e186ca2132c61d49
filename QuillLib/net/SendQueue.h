#pragma once
// The frames a connection has yet to write to its socket: a bounded first-in first-out run of bytes. Senders
// append each packet's frames whole and never wait; the connection's send thread takes the bytes out and writes
// them, and it alone waits for the system socket. A server that stops reading fills the queue: an append that
// does not fit tells its sender so, and the connection is then ended.
//
// Threads: Append, Close and WaitUntilWritten from any thread (the socket's send lock keeps appends in packet
// order); Take and MarkWritten from the send thread alone.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "QuillLib/net/RingBuffer.h"

namespace quill {

class SendQueue {
public:
    explicit SendQueue(uint32_t capacity);
    SendQueue(const SendQueue&) = delete;
    SendQueue& operator=(const SendQueue&) = delete;

    // Queues all of bytes. True when they were queued, or dropped because the queue is closed (the connection
    // has ended); false, storing nothing, when they do not fit beside the bytes still waiting.
    bool Append(std::span<const uint8_t> bytes);
    // The bytes waiting, those taken but not yet written included.
    uint32_t Waiting() const;

    // Waits until bytes wait or the queue is closed; moves up to out.size() of them into out and returns their
    // count, 0 once the queue is closed.
    size_t Take(std::span<uint8_t> out);
    // The bytes taken last have been written (or given up with the connection).
    void MarkWritten();
    // Waits up to timeoutMs until every byte queued has been written; true when none waits.
    bool WaitUntilWritten(uint32_t timeoutMs);

    // Wakes the send thread for good and drops what still waits.
    void Close();

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    RingBuffer bytes_;
    uint32_t inFlight_ = 0;  // taken by the send thread and not yet written
    bool closed_ = false;
};

}  // namespace quill
