#pragma once
// The recursive lock of the platform: the owning thread may enter again, and must leave as often as it
// entered. Depth and owner are readable from any thread, for the lock-guarded structures that report them.
#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/system/Thread.h"

namespace platform {

class CriticalSection {
public:
    CriticalSection() = default;
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter();
    void Leave();  // ignored when the calling thread does not hold the lock
    bool TryEnter();

    int Depth() const;       // entries of the owning thread not yet left; 0 when free
    ThreadId Owner() const;  // kNoThread when free

private:
    void TakeOwnership(ThreadId self);

    std::mutex mutex_;
    std::atomic<ThreadId> owner_{kNoThread};
    std::atomic<int> depth_{0};
};

}  // namespace platform
