#pragma once
// A secondary sound buffer: PCM bytes with a play cursor, played by the device's mixer. Duplicates share
// the bytes but have their own cursor, status, volume, pan, frequency and notifications.
//
// Threads: the control calls may come from any thread but are made by one owner at a time (the sound that
// holds the buffer takes its own lock around them). The mixer reads the control state without locks: every
// field it shares is atomic, the notification list changes only while the buffer is stopped and no mix pass
// runs, and the bytes handed out by Lock are written in place as the sound API allows.
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/audio/BufferDesc.h"
#include "platform/audio/LockedRegion.h"
#include "platform/audio/NotifyPosition.h"
#include "platform/audio/WaveFormat.h"

namespace platform {

class AudioDevice;

class SoundBuffer {
public:
    static constexpr uint32_t kMaxNotifications = 32;

    // Made by AudioDevice::CreateSoundBuffer and DuplicateSoundBuffer, which register it with the mixer.
    SoundBuffer(AudioDevice& device, const BufferDesc& desc);
    SoundBuffer(AudioDevice& device, const SoundBuffer& original);
    // Leaves the mixer, waiting for a mix pass that may still read it.
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Status bits (BufferStatus).
    int32_t GetStatus(uint32_t& status) const;
    // Gives a lost buffer its memory back (its bytes are then silence); BufferLost while the device is still
    // lost.
    int32_t Restore();

    // Hands out bytes [offset, offset + bytes), wrapping to the start; bytes must not exceed the size.
    int32_t Lock(uint32_t offset, uint32_t bytes, LockedRegion& region);
    int32_t Unlock(const LockedRegion& region);

    // Starts (or keeps) playing from the cursor; PlayFlags::Looping wraps at the end instead of stopping.
    // A buffer that plays to its end stops with its cursor back at 0.
    int32_t Play(uint32_t flags);
    // Stops and keeps the cursor where it is.
    int32_t Stop();

    // The play cursor in bytes; the mixer reads straight from the buffer, so the write cursor is the same.
    int32_t GetCurrentPosition(uint32_t& play, uint32_t& write) const;
    int32_t SetCurrentPosition(uint32_t offset);

    // Each needs its control flag (BufferCaps::CtrlVolume, CtrlPan, CtrlFrequency) and a value in the
    // BufferLimits range.
    int32_t SetVolume(int32_t volume);
    int32_t GetVolume(int32_t& volume) const;
    int32_t SetPan(int32_t pan);
    int32_t GetPan(int32_t& pan) const;
    int32_t SetFrequency(uint32_t frequency);
    int32_t GetFrequency(uint32_t& frequency) const;

    // Replaces the notifications; only while stopped, with offsets inside the buffer.
    int32_t SetNotificationPositions(std::span<const NotifyPosition> positions);

    const WaveFormat& Format() const { return data_->format; }
    uint32_t Size() const { return data_->size; }
    uint32_t Flags() const { return flags_; }
    bool SharesDataWith(const SoundBuffer& other) const { return data_ == other.data_; }

    // Called by the device: stops the buffer and marks it lost.
    void MarkLost();

    // Mixer thread only: adds frames of this buffer, at its volume, pan and frequency, into out (interleaved
    // float frames of outChannels at outRate), moves the cursor and sets the notifications it passes.
    void MixInto(float* out, uint32_t frames, uint32_t outChannels, uint32_t outRate);

private:
    // The bytes and their format, shared by a buffer and its duplicates.
    struct Data {
        Data(uint32_t bytes, const WaveFormat& waveFormat);
        std::unique_ptr<uint8_t[]> bytes;
        uint32_t size;
        WaveFormat format;
    };

    // Cursor positions are frames in 32.32 fixed point, so that resampling keeps its fraction.
    static constexpr int kFractionBits = 32;

    uint32_t FrameCount() const { return data_->size / data_->format.blockAlign; }
    float SampleAt(uint32_t frame, uint32_t channel) const;
    void FireNotifications(uint32_t fromByte, uint32_t toByte) const;

    AudioDevice& device_;
    std::shared_ptr<Data> data_;
    const uint32_t flags_;
    std::atomic<uint32_t> status_{0};
    std::atomic<uint64_t> position_{0};
    std::atomic<int32_t> volume_{0};
    std::atomic<int32_t> pan_{0};
    std::atomic<uint32_t> frequency_{0};
    std::array<NotifyPosition, kMaxNotifications> notifications_{};
    std::atomic<uint32_t> notificationCount_{0};
};

}  // namespace platform
