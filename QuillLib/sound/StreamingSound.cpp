#include "QuillLib/sound/StreamingSound.h"

#include <vector>

#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/sound/NotifySlot.h"
#include "platform/audio/AudioResult.h"
#include "platform/audio/BufferCaps.h"
#include "platform/audio/NotifyPosition.h"
#include "platform/audio/SoundBuffer.h"

namespace quill {

using platform::AudioResult::NotInitialized;
using platform::SoundBuffer;

StreamingSound::StreamingSound(platform::AudioDevice& device, std::unique_ptr<SoundDecoder> decoder, uint32_t flags,
                               uint32_t notifyCount, uint32_t notifySize, NotifySlot& slot, int category)
    : Sound(device, 1, std::move(decoder), flags, category, false),
      notifyCount_(notifyCount),
      notifySize_(notifySize),
      slot_(&slot) {}

StreamingSound::~StreamingSound() {
    Detach();
    ReleaseBuffers();
}

NotifySlot* StreamingSound::GetNotifySlot() {
    ScopedLock lock(soundLock_);
    return slot_;
}

void StreamingSound::Detach() {
    ScopedLock lock(soundLock_);
    if (slot_ == nullptr) {
        return;
    }
    ScopedLock slotLock(slot_->GetLock());
    ScopedLock streamLock(streamLock_);
    slot_->Detach(this);
    slot_ = nullptr;
}

void StreamingSound::ReleaseBuffers() {
    ScopedLock lock(soundLock_);
    if (slot_ == nullptr) {
        ScopedLock streamLock(streamLock_);
        buffers_.clear();
        return;
    }
    ScopedLock slotLock(slot_->GetLock());
    ScopedLock streamLock(streamLock_);
    buffers_.clear();
}

void StreamingSound::Abandon() {
    Detach();
    Sound::Abandon();
}

int32_t StreamingSound::Start() {
    ScopedLock lock(soundLock_);
    if (slot_ == nullptr || !decoder_) {
        return NotInitialized;
    }
    ScopedLock slotLock(slot_->GetLock());
    ScopedLock streamLock(streamLock_);
    buffers_.clear();
    if (!decoder_->IsOpen()) {
        if (const int32_t result = decoder_->Open(); result != 0) {
            return result;
        }
    }
    bufferSize_ = notifyCount_ * notifySize_;
    std::unique_ptr<SoundBuffer> buffer;
    int32_t result = CreateBuffer(*decoder_->GetFormat(), bufferSize_, buffer);
    if (result == 0) {
        result = FillBuffer(buffer.get());
    }
    if (result == 0) {
        result = SetNotifications(*buffer);
    }
    if (result != 0) {
        return result;
    }
    buffers_.push_back(std::move(buffer));
    slot_->GetEvent().Reset();  // a signal left from an earlier buffer must not refill this one
    slot_->Attach(this);
    return 0;
}

int32_t StreamingSound::SetNotifications(SoundBuffer& buffer) {
    std::vector<platform::NotifyPosition> positions(notifyCount_);
    for (uint32_t i = 0; i < notifyCount_; ++i) {
        positions[i].offset = (i + 1) * notifySize_ - 1;
        positions[i].event = &slot_->GetEvent();
    }
    return buffer.SetNotificationPositions(positions);
}

int32_t StreamingSound::FillBuffer(SoundBuffer* buffer) {
    ScopedLock streamLock(streamLock_);
    ResetProgress();
    return Sound::FillBuffer(buffer);
}

void StreamingSound::ResetProgress() {
    lastPlayPosition_ = 0;
    playedBytes_ = 0;
    nextWriteOffset_ = 0;
    endReached_ = false;
}

int32_t StreamingSound::ReadPcm(uint8_t* dest, uint32_t size, uint32_t& read) {
    // Looping: at the decoder's end, rewind and go on until the part is full, so the loop has no gap. A
    // stream that gives nothing after a rewind is empty and would never fill the part.
    if (const int32_t result = decoder_->Read(dest, size, read); result != 0) {
        return -4;
    }
    while (loop_ && read < size) {
        if (decoder_->Rewind() != 0) {
            return -5;
        }
        uint32_t more = 0;
        if (decoder_->Read(dest + read, size - read, more) != 0) {
            return -6;
        }
        if (more == 0) {
            break;
        }
        read += more;
    }
    return 0;
}

int32_t StreamingSound::Play(float volume, uint32_t frequency, bool loop, bool muted) {
    ScopedLock lock(soundLock_);
    {
        ScopedLock streamLock(streamLock_);
        loop_ = loop;
    }
    if (muted) {
        muted_ = true;
    }
    return PlayBuffer(0, platform::PlayFlags::Looping, volume, frequency, 0);
}

int32_t StreamingSound::Unmute() {
    ScopedLock lock(soundLock_);
    if (!muted_) {
        return 0;
    }
    muted_ = false;
    return buffers_.empty() ? 0 : buffers_[0]->Play(platform::PlayFlags::Looping);
}

int32_t StreamingSound::HandleNotification() {
    ScopedLock streamLock(streamLock_);
    if (buffers_.empty() || !decoder_) {
        return NotInitialized;
    }
    SoundBuffer& buffer = *buffers_[0];
    bool restored = false;
    if (RestoreBuffer(buffer, restored) != 0) {
        return -1;
    }
    if (restored) {
        return FillBuffer(&buffer) == 0 ? 0 : -2;  // the stream starts again from its beginning
    }
    if (const int32_t result = RefillPart(buffer); result != 0) {
        return result;
    }
    if (const int32_t result = CountPlayedBytes(buffer); result != 0) {
        return result;
    }
    if (endReached_ && decoder_->GetSize() <= playedBytes_) {
        buffer.Stop();
    }
    nextWriteOffset_ = (nextWriteOffset_ + notifySize_) % bufferSize_;
    return 0;
}

int32_t StreamingSound::RefillPart(SoundBuffer& buffer) {
    platform::LockedRegion region;
    if (buffer.Lock(nextWriteOffset_, notifySize_, region) != 0) {
        return -3;
    }
    if (region.second != nullptr) {
        buffer.Unlock(region);
        return platform::AudioResult::Unexpected;
    }
    if (!endReached_) {
        uint32_t read = 0;
        if (const int32_t result = ReadPcm(region.first, region.firstBytes, read); result != 0) {
            buffer.Unlock(region);
            return result;
        }
        if (read < region.firstBytes) {
            FillSilence(region.first + read, region.firstBytes - read);
            endReached_ = true;
        }
    } else {
        FillSilence(region.first, region.firstBytes);
    }
    buffer.Unlock(region);
    return 0;
}

int32_t StreamingSound::CountPlayedBytes(SoundBuffer& buffer) {
    uint32_t position = 0;
    uint32_t write = 0;
    if (buffer.GetCurrentPosition(position, write) != 0) {
        return -7;
    }
    playedBytes_ += position >= lastPlayPosition_ ? position - lastPlayPosition_
                                                  : bufferSize_ - lastPlayPosition_ + position;
    lastPlayPosition_ = position;
    return 0;
}

uint32_t StreamingSound::GetNextWriteOffset() {
    ScopedLock streamLock(streamLock_);
    return nextWriteOffset_;
}

}  // namespace quill
