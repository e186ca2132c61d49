#include "platform/system/Event.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>

namespace platform {

// One waiting thread. Every event it waits for wakes it when set; the thread then tries to take a signal
// and waits again when another waiter was faster. Lock order: an event's mutex, then a waiter's.
class Event::Waiter {
public:
    explicit Waiter(uint32_t timeoutMs)
        : infinite_(timeoutMs == kInfinite),
          deadline_(std::chrono::steady_clock::now() + std::chrono::milliseconds(infinite_ ? 0 : timeoutMs)) {}

    // Forgets earlier wake-ups; called before looking at the events, so a Set after the look still wakes.
    void Arm() {
        std::lock_guard lock(mutex_);
        woken_ = false;
    }

    void Wake() {
        std::lock_guard lock(mutex_);
        woken_ = true;
        condition_.notify_one();
    }

    // False when the deadline passed without a wake-up.
    bool Sleep() {
        std::unique_lock lock(mutex_);
        if (infinite_) {
            condition_.wait(lock, [this] { return woken_; });
            return true;
        }
        return condition_.wait_until(lock, deadline_, [this] { return woken_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable condition_;
    bool woken_ = false;
    const bool infinite_;
    const std::chrono::steady_clock::time_point deadline_;
};

Event::Event(bool manualReset, bool initiallySet) : manualReset_(manualReset), signalled_(initiallySet) {}

void Event::Set() {
    std::lock_guard lock(mutex_);
    signalled_ = true;
    for (Waiter* waiter : waiters_) {
        waiter->Wake();
    }
}

void Event::Reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool Event::Wait(uint32_t timeoutMs) {
    Event* self = this;
    return WaitForAny(std::span<Event* const>(&self, 1), timeoutMs) == 0;
}

bool Event::TryTake() {
    std::lock_guard lock(mutex_);
    if (!signalled_) {
        return false;
    }
    if (!manualReset_) {
        signalled_ = false;
    }
    return true;
}

void Event::AddWaiter(Waiter* waiter) {
    std::lock_guard lock(mutex_);
    waiters_.push_back(waiter);
}

void Event::RemoveWaiter(Waiter* waiter) {
    std::lock_guard lock(mutex_);
    waiters_.erase(std::find(waiters_.begin(), waiters_.end(), waiter));
}

int WaitForAny(std::span<Event* const> events, uint32_t timeoutMs) {
    if (events.empty()) {
        return -1;
    }
    Event::Waiter waiter(timeoutMs);
    for (Event* event : events) {
        event->AddWaiter(&waiter);
    }
    int taken = -1;
    for (;;) {
        waiter.Arm();
        auto found = std::find_if(events.begin(), events.end(), [](Event* event) { return event->TryTake(); });
        if (found != events.end()) {
            taken = static_cast<int>(found - events.begin());
            break;
        }
        if (!waiter.Sleep()) {
            break;
        }
    }
    for (Event* event : events) {
        event->RemoveWaiter(&waiter);
    }
    return taken;
}

}  // namespace platform
