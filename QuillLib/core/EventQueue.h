#pragma once
// A locked first-in first-out queue of AppEvents drawn from the queue's own block pool. Any thread may
// post and pop; the consumer gives each popped event back with Pool().Free. The pool lock and the queue
// lock are taken one after the other, never together.
#include <cstdint>

#include "QuillLib/core/AppEvent.h"
#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/PacketPool.h"

namespace quill {

class EventQueue {
public:
    explicit EventQueue(uint32_t capacity);
    EventQueue(const EventQueue&) = delete;
    EventQueue& operator=(const EventQueue&) = delete;

    // Queues an event from the pool, waiting up to about five seconds for a free block. When none comes,
    // the event is dropped with one "WARNING" log line and the result is false.
    bool Post(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra);

    void Push(AppEvent* event);
    AppEvent* Pop();  // the oldest event, or null when the queue is empty

    uint32_t Count() const;
    PacketPool& Pool();

private:
    // Empties the queue and makes its pool of capacity events; false when the pool cannot be made.
    bool CreatePool(uint32_t capacity);

    PacketPool pool_;
    mutable CriticalSectionLock lock_;
    AppEvent* head_ = nullptr;
    AppEvent* tail_ = nullptr;
    uint32_t count_ = 0;
};

}  // namespace quill
