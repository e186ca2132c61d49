#pragma once
// The frames a connection has yet to write to its socket: a first-in first-out run of bytes. Senders append each
// packet's frames whole and never wait; the connection's send thread takes the bytes out and writes them, and it
// alone waits for the system socket.
//
// A server that reads slowly lets bytes pile up: the queue grows beyond the room it starts with, up to a bound far
// above what play ever queues, and gives the extra room back once it has emptied. Whether the server still reads is
// judged by its progress, not by the bytes waiting: HasStalled tells when it has taken nothing for a while.
//
// Threads: Append, Close and WaitUntilWritten from any thread (the socket's send lock keeps appends in packet
// order); Take and MarkWritten from the send thread alone; HasStalled from one thread at a time.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "QuillLib/net/RingBuffer.h"

namespace quill {

class SendQueue {
public:
    // capacity: the room held at first; bound: the most bytes that may wait.
    SendQueue(uint32_t capacity, uint32_t bound);
    SendQueue(const SendQueue&) = delete;
    SendQueue& operator=(const SendQueue&) = delete;

    // Queues all of bytes. True when they were queued, or dropped because the queue is closed (the connection
    // has ended); false, storing nothing, when they would take the bytes waiting past the bound.
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

    // True when bytes wait and the server has taken none of them for stallMs by the caller's clock (nowMs).
    // unsent: the bytes the system socket holds that the server has not acknowledged; the server's progress is
    // what has been written less that.
    bool HasStalled(uint32_t unsent, uint32_t nowMs, uint32_t stallMs);

    // Wakes the send thread for good and drops what still waits.
    void Close();

private:
    // Grows the storage until count more bytes fit; the bound has been checked. mutex_ held.
    void MakeRoom(uint32_t count);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const uint32_t capacity_;
    const uint32_t bound_;
    RingBuffer bytes_;
    uint32_t inFlight_ = 0;  // taken by the send thread and not yet written
    uint64_t written_ = 0;   // all bytes written to the system socket
    bool closed_ = false;
    // HasStalled's view: the server's progress when it last moved, and when that was.
    bool watching_ = false;
    uint64_t progress_ = 0;
    uint32_t progressMs_ = 0;
};

}  // namespace quill
