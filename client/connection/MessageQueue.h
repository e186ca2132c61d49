#pragma once
// The received messages waiting for the dispatch thread: a locked first-in first-out list of packets,
// linked through their queue link, with an auto-reset event signalled after each push. The socket's
// receive thread and the connection's own notices push; the dispatch thread pops.
#include <cstdint>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/net/Packet.h"
#include "platform/system/Event.h"

namespace kestrovan {

class MessageQueue {
public:
    MessageQueue() = default;
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    // Appends the packet and signals the event.
    void Push(quill::Packet* packet);
    // The oldest packet, or null when the queue is empty.
    quill::Packet* Pop();
    uint32_t Count() const;

    // Waits up to timeoutMs for a push (or a Signal) since the last wait; true when one came.
    bool Wait(uint32_t timeoutMs = platform::kInfinite);
    // Wakes the waiter without a packet.
    void Signal();

private:
    mutable quill::CriticalSectionLock lock_;
    quill::Packet* head_ = nullptr;
    quill::Packet* tail_ = nullptr;
    uint32_t count_ = 0;
    platform::Event pushed_{false, false};
};

}  // namespace kestrovan
