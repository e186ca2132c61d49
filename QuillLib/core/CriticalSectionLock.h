#pragma once
// The Lock over a platform critical section. It is recursive: the thread that holds it may enter again,
// and leaves as often as it entered. Depth is the structure's entry counter (raised right after entering,
// lowered right before leaving) and Owner the holding thread's id, both readable from any thread.
#include <cstdint>

#include "QuillLib/core/Lock.h"
#include "platform/system/CriticalSection.h"

namespace quill {

class CriticalSectionLock : public Lock {
public:
    static constexpr uint32_t kNoOwner = platform::kNoThread;

    CriticalSectionLock() = default;
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

    void Enter() override;
    void Leave() override;

    int Depth() const;
    uint32_t Owner() const;  // kNoOwner when free

private:
    platform::CriticalSection section_;
};

}  // namespace quill
