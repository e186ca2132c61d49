#include "QuillLib/sound/NotifySlot.h"

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/sound/StreamingSound.h"

namespace quill {

bool NotifySlot::IsFree() {
    ScopedLock lock(lock_);
    return sound_ == nullptr;
}

StreamingSound* NotifySlot::GetSound() {
    ScopedLock lock(lock_);
    return sound_;
}

void NotifySlot::Attach(StreamingSound* sound) {
    ScopedLock lock(lock_);
    sound_ = sound;
}

void NotifySlot::Detach(StreamingSound* sound) {
    ScopedLock lock(lock_);
    if (sound_ == sound) {
        sound_ = nullptr;
    }
}

void NotifySlot::Dispatch() {
    ScopedLock lock(lock_);
    if (sound_ != nullptr) {
        sound_->HandleNotification();
    }
}

}  // namespace quill
