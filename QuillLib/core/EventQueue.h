#pragma once
// A locked first-in first-out queue of AppEvents drawn from the queue's own block pool. Any thread may
// post and pop; the consumer gives each popped event back with Release. The pool lock and the queue lock are
// taken one after the other, never together.
//
// A post never waits for room: a thread that posts while the queue is full (its consumer busy or flooded) would
// otherwise hold up everything it serves. An ordinary event that finds no free block is dropped with a logged
// line; an event that must not be lost is kept on the heap beyond the pool, in order with the others.
#include <cstdint>
#include <list>

#include "QuillLib/core/AppEvent.h"
#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/PacketPool.h"

namespace quill {

class EventQueue {
public:
    explicit EventQueue(uint32_t capacity);
    EventQueue(const EventQueue&) = delete;
    EventQueue& operator=(const EventQueue&) = delete;

    // Queues an event from the pool. When no block is free the event is dropped with one "WARNING" log line
    // and the result is false.
    bool Post(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra);
    // Queues an event that must not be lost: from the pool while a block is free, else from the heap.
    void PostKept(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra);

    AppEvent* Pop();  // the oldest event, or null when the queue is empty
    // Gives a popped event back, to the pool or the heap it came from.
    void Release(AppEvent* event);

    uint32_t Count() const;

private:
    // Empties the queue and makes its pool of capacity events; false when the pool cannot be made.
    bool CreatePool(uint32_t capacity);
    void Push(AppEvent* event);

    PacketPool pool_;
    mutable CriticalSectionLock lock_;
    AppEvent* head_ = nullptr;
    AppEvent* tail_ = nullptr;
    uint32_t count_ = 0;
    std::list<AppEvent> kept_;  // the events PostKept found no block for, until released
};

}  // namespace quill
