#pragma once
// One of the sound manager's notification slots: the event that a streaming sound's buffer sets as its play
// cursor passes the end of each part, the streaming sound that refills on it, and the lock that keeps the
// sound from leaving the slot while it refills.
//
// Threads: the notification thread dispatches; the main thread attaches and detaches (a screen's music is made
// and removed) under the slot lock.
#include "QuillLib/core/CriticalSectionLock.h"
#include "platform/system/Event.h"

namespace quill {

class StreamingSound;

class NotifySlot {
public:
    NotifySlot() = default;
    NotifySlot(const NotifySlot&) = delete;
    NotifySlot& operator=(const NotifySlot&) = delete;

    platform::Event& GetEvent() { return event_; }
    CriticalSectionLock& GetLock() { return lock_; }

    bool IsFree();
    StreamingSound* GetSound();
    void Attach(StreamingSound* sound);
    // Frees the slot when sound is the one attached.
    void Detach(StreamingSound* sound);

    // The notification thread, after the event was set: the attached sound refills, under the slot lock.
    void Dispatch();

private:
    platform::Event event_{false, false};
    StreamingSound* sound_ = nullptr;
    CriticalSectionLock lock_;
};

}  // namespace quill
