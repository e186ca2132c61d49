#include "platform/system/CriticalSection.h"

namespace platform {

// Only the owner writes depth_ and compares owner_ with itself, so a thread that sees its own id in
// owner_ does hold the mutex.

void CriticalSection::Enter() {
    const ThreadId self = CurrentThreadId();
    if (owner_.load() == self) {
        ++depth_;
        return;
    }
    mutex_.lock();
    TakeOwnership(self);
}

bool CriticalSection::TryEnter() {
    const ThreadId self = CurrentThreadId();
    if (owner_.load() == self) {
        ++depth_;
        return true;
    }
    if (!mutex_.try_lock()) {
        return false;
    }
    TakeOwnership(self);
    return true;
}

void CriticalSection::Leave() {
    if (owner_.load() != CurrentThreadId()) {
        return;
    }
    if (--depth_ == 0) {
        owner_.store(kNoThread);
        mutex_.unlock();
    }
}

int CriticalSection::Depth() const {
    return depth_.load();
}

ThreadId CriticalSection::Owner() const {
    return owner_.load();
}

void CriticalSection::TakeOwnership(ThreadId self) {
    owner_.store(self);
    depth_.store(1);
}

}  // namespace platform
