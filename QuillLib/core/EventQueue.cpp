#include "QuillLib/core/EventQueue.h"

#include <algorithm>
#include <new>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/core/ScopedLock.h"

namespace quill {

EventQueue::EventQueue(uint32_t capacity) {
    // A queue whose pool could not be made drops every ordinary post, with its warning.
    CreatePool(capacity);
}

bool EventQueue::CreatePool(uint32_t capacity) {
    head_ = nullptr;
    tail_ = nullptr;
    count_ = 0;
    return pool_.Init(capacity, PacketPool::kLinkWordSize + sizeof(AppEvent));
}

bool EventQueue::Post(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
    void* block = pool_.Alloc(1);
    if (!block) {
        TheLog().LogError(u"WARNING: event queue full, event %u dropped\n", id);
        return false;
    }
    Push(new (block) AppEvent{id, wParam, lParam, extra, nullptr});
    return true;
}

void EventQueue::PostKept(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
    if (void* block = pool_.Alloc(1)) {
        Push(new (block) AppEvent{id, wParam, lParam, extra, nullptr});
        return;
    }
    ScopedLock lock(lock_);
    Push(&kept_.emplace_back(AppEvent{id, wParam, lParam, extra, nullptr}));
}

void EventQueue::Push(AppEvent* event) {
    ScopedLock lock(lock_);
    event->next = nullptr;
    if (tail_) {
        tail_->next = event;
    } else {
        head_ = event;
    }
    tail_ = event;
    ++count_;
}

AppEvent* EventQueue::Pop() {
    ScopedLock lock(lock_);
    AppEvent* event = head_;
    if (event) {
        head_ = event->next;
        if (!head_) {
            tail_ = nullptr;
        }
        --count_;
    }
    return event;
}

void EventQueue::Release(AppEvent* event) {
    {
        ScopedLock lock(lock_);
        // Events come back in the order they were queued, so a kept one is found at the front.
        const auto kept = std::find_if(kept_.begin(), kept_.end(), [event](const AppEvent& e) { return &e == event; });
        if (kept != kept_.end()) {
            kept_.erase(kept);
            return;
        }
    }
    pool_.Free(event);
}

uint32_t EventQueue::Count() const {
    ScopedLock lock(lock_);
    return count_;
}

}  // namespace quill
