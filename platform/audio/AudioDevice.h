#pragma once
// The sound output device: it makes secondary buffers, sets the format of its output (the primary format)
// and mixes every playing buffer into that output. A backend decides where the mixed frames go (SDL's audio
// callback, or nowhere on the null device's clock).
//
// Threads: buffers are created, duplicated and destroyed on the game and notification threads; the device
// must outlive every buffer it made. Loss (LoseBuffers) stops every buffer until the device is regained.
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/audio/BufferDesc.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/WaveFormat.h"

namespace platform {

class SoundBuffer;

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Sets the output to a playable PCM format (BadFormat otherwise); Fail when the backend cannot.
    int32_t SetPrimaryFormat(const WaveFormat& format);
    const WaveFormat& GetPrimaryFormat() const { return primaryFormat_; }

    // A silent buffer of desc.bytes bytes. InvalidArg for a primary-buffer request or a size out of range,
    // BadFormat for data the mixer cannot play, OutOfMemory when the mixer has no room.
    int32_t CreateSoundBuffer(const BufferDesc& desc, std::unique_ptr<SoundBuffer>& buffer);
    // A buffer that shares the original's bytes, stopped, with the original's volume, pan and frequency.
    int32_t DuplicateSoundBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& duplicate);

    // Device loss: every buffer stops and reports BufferLost until it is restored, which succeeds only once
    // the device has been regained.
    void LoseBuffers();
    void RegainDevice() { lost_.store(false); }
    bool IsLost() const { return lost_.load(); }

    Mixer& GetMixer() { return mixer_; }

protected:
    AudioDevice();
    // The backend's output follows the new primary format; the mixer's output format is set here.
    virtual bool ApplyPrimaryFormat(const WaveFormat& format) = 0;

private:
    int32_t Register(std::unique_ptr<SoundBuffer> made, std::unique_ptr<SoundBuffer>& buffer);

    Mixer mixer_;
    WaveFormat primaryFormat_;
    std::atomic<bool> lost_{false};
};

}  // namespace platform
