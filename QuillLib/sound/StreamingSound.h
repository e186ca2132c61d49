#pragma once
// Long music played through one looping buffer of notifyCount parts: each time the play cursor leaves a
// part, the manager's notification thread refills that part from the decoder while the next one plays.
// With loop set the decoder wraps to its start without a gap; without it the stream ends in silence and
// stops once all its bytes have played.
//
// The sound keeps the notification slot it was given at creation until Detach (the manager's removal);
// releasing an idle stream frees only its buffer.
//
// Threads: the main thread starts, plays and stops (a screen's music); the notification thread refills under the
// slot lock and then the stream lock. Starting and releasing take the slot and stream locks too, so nothing
// replaces the buffer while a refill runs.
#include <cstdint>
#include <memory>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/sound/Sound.h"

namespace quill {

class NotifySlot;

class StreamingSound : public Sound {
public:
    StreamingSound(platform::AudioDevice& device, std::unique_ptr<SoundDecoder> decoder, uint32_t flags,
                   uint32_t notifyCount, uint32_t notifySize, NotifySlot& slot, int category);
    ~StreamingSound() override;

    // A stream's buffers are made by Start.
    int32_t CreateBuffers() override { return Start(); }
    // The buffer only; the slot stays this sound's.
    void ReleaseBuffers() override;
    // Always plays its buffer looping; loop decides whether the decoder wraps at its end.
    int32_t Play(float volume, uint32_t frequency, bool loop, bool muted) override;
    int32_t Unmute() override;
    NotifySlot* GetNotifySlot() override;
    void Abandon() override;

    // Makes the buffer, fills it from the start of the stream and sets a notification at the end of each
    // part. NotInitialized once detached.
    int32_t Start();
    // Gives the slot up for good.
    void Detach();

    // The notification thread, under the slot lock: refills the part just played and counts the bytes
    // played. CO_E_NOTINITIALIZED without a buffer or decoder, -1 lost, -2 refill after a restore, -3 lock,
    // -4 read, -5 rewind, -6 read after a rewind, -7 play cursor.
    int32_t HandleNotification();

    uint32_t GetNextWriteOffset();

protected:
    int32_t FillBuffer(platform::SoundBuffer* buffer) override;
    int32_t ReadPcm(uint8_t* dest, uint32_t size, uint32_t& read) override;

private:
    int32_t SetNotifications(platform::SoundBuffer& buffer);
    int32_t RefillPart(platform::SoundBuffer& buffer);
    int32_t CountPlayedBytes(platform::SoundBuffer& buffer);
    void ResetProgress();

    CriticalSectionLock streamLock_;
    uint32_t lastPlayPosition_ = 0;
    uint64_t playedBytes_ = 0;
    const uint32_t notifyCount_;
    const uint32_t notifySize_;
    uint32_t nextWriteOffset_ = 0;
    bool endReached_ = false;
    NotifySlot* slot_;
};

}  // namespace quill
