#include "QuillLib/core/CriticalSectionLock.h"

namespace quill {

void CriticalSectionLock::Enter() {
    section_.Enter();
}

void CriticalSectionLock::Leave() {
    section_.Leave();
}

bool CriticalSectionLock::TryEnter() {
    return section_.TryEnter();
}

int CriticalSectionLock::Depth() const {
    return section_.Depth();
}

uint32_t CriticalSectionLock::Owner() const {
    return section_.Owner();
}

}  // namespace quill
