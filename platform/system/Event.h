#pragma once
// Events in the Windows sense: a flag that threads wait for. A manual-reset event stays set until Reset
// and releases every waiter; an auto-reset event releases one waiter and clears itself as it does.
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace platform {

constexpr uint32_t kInfinite = 0xFFFFFFFF;

class Event {
public:
    Event(bool manualReset, bool initiallySet);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();

    // Waits up to timeoutMs (kInfinite: without limit). True when the event was signalled.
    bool Wait(uint32_t timeoutMs = kInfinite);

private:
    friend int WaitForAny(std::span<Event* const> events, uint32_t timeoutMs);
    class Waiter;

    // Takes the signal if the event is set: an auto-reset event is cleared by the taking.
    bool TryTake();
    void AddWaiter(Waiter* waiter);
    void RemoveWaiter(Waiter* waiter);

    std::mutex mutex_;
    const bool manualReset_;
    bool signalled_;
    std::vector<Waiter*> waiters_;
};

// Waits until one of events is signalled and takes its signal. Returns the index of that event (the
// lowest when several are set), or -1 when timeoutMs passes first or events is empty.
int WaitForAny(std::span<Event* const> events, uint32_t timeoutMs);

}  // namespace platform
