#include "QuillLib/core/CriticalSectionLock.h"

namespace quill {
namespace {

// Attempts before a waiting thread sleeps: holders keep the lock for a few hundred instructions at most, and
// waiting that long costs less than sleeping in the kernel and being woken (a critical section's spin count).
constexpr int kSpinCount = 4000;

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

void CriticalSectionLock::Enter() {
    for (int spin = 0; spin < kSpinCount; ++spin) {
        if (section_.TryEnter()) {
            return;
        }
        Pause();
    }
    section_.Enter();
}

void CriticalSectionLock::Leave() {
    section_.Leave();
}

int CriticalSectionLock::Depth() const {
    return section_.Depth();
}

uint32_t CriticalSectionLock::Owner() const {
    return section_.Owner();
}

}  // namespace quill
