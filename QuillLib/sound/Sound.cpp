#include "QuillLib/sound/Sound.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "QuillLib/core/ScopedLock.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioResult.h"
#include "platform/audio/BufferCaps.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/system/Sleep.h"

namespace quill {

using platform::AudioResult::NotInitialized;
using platform::SoundBuffer;

Sound::Sound(platform::AudioDevice& device, uint32_t bufferCount, std::unique_ptr<SoundDecoder> decoder,
             uint32_t flags, int category, bool keepLoaded)
    : device_(&device),
      decoder_(std::move(decoder)),
      bufferCount_(bufferCount),
      flags_(flags | kBaseFlags),
      category_(category),
      bufferVolumes_(bufferCount, 1.0f),
      keepLoaded_(keepLoaded) {}

Sound::~Sound() {
    buffers_.clear();
}

int32_t Sound::CreateBuffer(const platform::WaveFormat& format, uint32_t bytes,
                            std::unique_ptr<SoundBuffer>& buffer) {
    if (device_ == nullptr) {
        return NotInitialized;
    }
    platform::BufferDesc desc;
    desc.flags = flags_;
    desc.bytes = bytes;
    desc.format = format;
    return device_->CreateSoundBuffer(desc, buffer);
}

int32_t Sound::CreateBuffers() {
    ScopedLock lock(soundLock_);
    ReleaseBuffers();
    if (bufferCount_ == 0 || !decoder_) {
        return 0;
    }
    const bool wasOpen = decoder_->IsOpen();
    if (!wasOpen && decoder_->Open() != 0) {
        return 0;  // no size, no buffers: the play finds none
    }
    bufferSize_ = decoder_->GetSize();
    const platform::WaveFormat format = *decoder_->GetFormat();
    if (!wasOpen) {
        decoder_->Close();
    }
    if (bufferSize_ == 0) {
        return 0;
    }
    int32_t result = 0;
    for (uint32_t i = 0; i < bufferCount_ && result == 0; ++i) {
        std::unique_ptr<SoundBuffer> buffer;
        if (i == 0 || (flags_ & platform::BufferCaps::CtrlFx) != 0) {
            result = CreateBuffer(format, bufferSize_, buffer);
            if (result == 0) {
                result = FillBuffer(buffer.get());
            }
        } else {
            result = device_->DuplicateSoundBuffer(*buffers_[0], buffer);
        }
        if (buffer) {
            buffers_.push_back(std::move(buffer));
        }
    }
    if (result != 0) {
        ReleaseBuffers();
    }
    return result;
}

void Sound::ReleaseBuffers() {
    ScopedLock lock(soundLock_);
    buffers_.clear();
}

void Sound::Abandon() {
    ScopedLock lock(soundLock_);
    ReleaseBuffers();
    device_ = nullptr;
}

int32_t Sound::Play(float volume, uint32_t frequency, bool loop, bool muted) {
    ScopedLock lock(soundLock_);
    loop_ = loop;
    if (muted) {
        muted_ = true;
    }
    return PlayBuffer(0, loop ? platform::PlayFlags::Looping : 0, volume, frequency, 0);
}

int32_t Sound::PlayBuffer(uint32_t priority, uint32_t flags, float volume, uint32_t frequency, int32_t pan) {
    (void)priority;  // voices are never dropped, so priorities have nothing to decide
    ScopedLock lock(soundLock_);
    if (!keepLoaded_ && buffers_.empty()) {
        if (const int32_t result = CreateBuffers(); result != 0) {
            return result;
        }
        ApplyVolume();
    }
    const int index = FreeBufferIndex();
    if (index < 0) {
        return -1;
    }
    SoundBuffer& buffer = *buffers_[index];
    bufferVolumes_[index] = volume;
    if (muted_) {
        return 0;
    }
    bool restored = false;
    if (RestoreBuffer(buffer, restored) != 0) {
        return -2;
    }
    if (restored && FillBuffer(&buffer) != 0) {
        return -3;
    }
    uint32_t status = 0;
    buffer.GetStatus(status);
    if ((status & platform::BufferStatus::Playing) != 0) {
        buffer.SetCurrentPosition(0);  // every buffer plays: the last one starts over
    }
    if ((flags_ & platform::BufferCaps::CtrlVolume) != 0) {
        buffer.SetVolume(VolumeToDecibels(volume));
    }
    if ((flags_ & platform::BufferCaps::CtrlFrequency) != 0 && frequency != 0xFFFFFFFFu) {
        buffer.SetFrequency(frequency);
    }
    if ((flags_ & platform::BufferCaps::CtrlPan) != 0) {
        buffer.SetPan(pan);
    }
    return buffer.Play(flags);
}

int Sound::FreeBufferIndex() {
    for (size_t i = 0; i < buffers_.size(); ++i) {
        uint32_t status = 0;
        buffers_[i]->GetStatus(status);
        if ((status & platform::BufferStatus::Playing) == 0) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(buffers_.size()) - 1;
}

int32_t Sound::RestoreBuffer(SoundBuffer& buffer, bool& restored) {
    restored = false;
    uint32_t status = 0;
    if (buffer.GetStatus(status) != 0) {
        return -1;
    }
    if ((status & platform::BufferStatus::BufferLost) == 0) {
        return 0;
    }
    // Another program may hold the device for a while; give up after a second and try on the next play.
    int32_t result = buffer.Restore();
    for (int tries = 1; result == platform::AudioResult::BufferLost && tries < kRestoreTries; ++tries) {
        platform::Sleep(10);
        result = buffer.Restore();
    }
    if (result != 0) {
        return -1;
    }
    restored = true;
    return 0;
}

int32_t Sound::FillBuffer(SoundBuffer* buffer) {
    if (buffer == nullptr) {
        return NotInitialized;
    }
    bool restored = false;
    if (RestoreBuffer(*buffer, restored) != 0) {
        return -1;
    }
    platform::LockedRegion region;
    if (buffer->Lock(0, buffer->Size(), region) != 0) {
        return -2;
    }
    const bool wasOpen = decoder_->IsOpen();
    if (!wasOpen && decoder_->Open() != 0) {
        buffer->Unlock(region);
        return -6;
    }
    uint32_t read = 0;
    int32_t result = decoder_->Rewind() == 0 ? ReadPcm(region.first, region.firstBytes, read) : -3;
    if (result == 0) {
        FillSilence(region.first + read, region.firstBytes - read);
    } else {
        result = -3;
    }
    if (!wasOpen && decoder_->Close() != 0 && result == 0) {
        result = -7;
    }
    buffer->Unlock(region);
    return result;
}

int32_t Sound::ReadPcm(uint8_t* dest, uint32_t size, uint32_t& read) {
    return decoder_->Read(dest, size, read);
}

void Sound::FillSilence(uint8_t* dest, uint32_t size) const {
    const platform::WaveFormat* format = decoder_ ? decoder_->GetFormat() : nullptr;
    const bool eightBit = format != nullptr && format->bitsPerSample == 8;
    std::memset(dest, eightBit ? 0x80 : 0x00, size);
}

bool Sound::Mute() {
    ScopedLock lock(soundLock_);
    muted_ = true;
    bool stopped = true;
    for (auto& buffer : buffers_) {
        stopped = buffer->Stop() == 0 && stopped;
    }
    return stopped;
}

int32_t Sound::Unmute() {
    ScopedLock lock(soundLock_);
    if (!muted_) {
        return 0;
    }
    muted_ = false;
    int32_t result = 0;
    for (auto& buffer : buffers_) {
        const int32_t played = buffer->Play(loop_ ? platform::PlayFlags::Looping : 0);
        if (result == 0) {
            result = played;
        }
    }
    return result;
}

int32_t Sound::StopAll() {
    ScopedLock lock(soundLock_);
    if (buffers_.empty()) {
        return NotInitialized;
    }
    int32_t result = 0;
    for (auto& buffer : buffers_) {
        const int32_t stopped = buffer->Stop();
        if (result == 0) {
            result = stopped;
        }
    }
    return result;
}

bool Sound::IsPlaying() {
    ScopedLock lock(soundLock_);
    if (muted_) {
        return true;
    }
    for (auto& buffer : buffers_) {
        uint32_t status = 0;
        if (buffer->GetStatus(status) == 0 && (status & platform::BufferStatus::Playing) != 0) {
            return true;
        }
    }
    return false;
}

bool Sound::SetVolume(float volume) {
    ScopedLock lock(soundLock_);
    if (std::fabs(volume - soundVolume_) < FLT_EPSILON) {
        return true;
    }
    soundVolume_ = volume;
    return ApplyVolume();
}

bool Sound::ApplyVolume() {
    ScopedLock lock(soundLock_);
    if ((flags_ & platform::BufferCaps::CtrlVolume) == 0) {
        return true;
    }
    for (size_t i = 0; i < buffers_.size(); ++i) {
        if (buffers_[i]->SetVolume(VolumeToDecibels(bufferVolumes_[i])) != 0) {
            return false;
        }
    }
    return true;
}

void Sound::ReleaseIfIdle() {
    if (keepLoaded_) {
        return;
    }
    ScopedLock lock(soundLock_);
    if (!buffers_.empty() && !IsPlaying()) {
        ReleaseBuffers();
    }
}

int32_t Sound::VolumeToDecibels(float volume) const {
    float v = volume * soundVolume_;
    v = !(v > 0.0f) ? 0.0f : (v > 1.0f ? 1.0f : v);  // NaN counts as silence
    if (std::fabs(v) < FLT_EPSILON) {
        return platform::BufferLimits::VolumeMin;
    }
    const double decibels = std::trunc(-2000.0 * std::log10(1.0 / static_cast<double>(v)));
    if (decibels > 0.0) {
        return 0;
    }
    if (decibels < platform::BufferLimits::VolumeMin) {
        return platform::BufferLimits::VolumeMin;
    }
    return static_cast<int32_t>(decibels);
}

size_t Sound::GetBufferCount() {
    ScopedLock lock(soundLock_);
    return buffers_.size();
}

SoundBuffer* Sound::GetBuffer(size_t index) {
    ScopedLock lock(soundLock_);
    return index < buffers_.size() ? buffers_[index].get() : nullptr;
}

}  // namespace quill
