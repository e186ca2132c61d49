#pragma once
// One loaded sound: its decoder's PCM in a secondary buffer plus duplicates that share its bytes, so that
// the same effect can overlap itself. Buffers appear at the first play (or at creation for a sound kept
// loaded) and go again when the manager finds the sound idle.
//
// Results are the audio layer's codes or small negative numbers, as each operation lists.
//
// Threads: the main, game and dispatch threads play, stop and change volume; the game thread releases idle
// buffers (through the manager); the manager may change volumes and mute from the settings. Every operation that
// touches the buffers takes the sound lock (recursive). Lock order: sound lock, then a streaming sound's slot
// lock, then its stream lock.
#include <cstdint>
#include <memory>
#include <vector>

#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/sound/SoundDecoder.h"

namespace platform {
class AudioDevice;
class SoundBuffer;
}  // namespace platform

namespace quill {

class NotifySlot;

class Sound {
public:
    // Flags every sound's buffers get on top of the caller's: position notifications, play without focus,
    // the accurate play cursor.
    static constexpr uint32_t kBaseFlags = 0x18100;
    // How often a lost buffer is asked to restore, 10 ms apart, before the play gives up until next time.
    static constexpr int kRestoreTries = 100;

    Sound(platform::AudioDevice& device, uint32_t bufferCount, std::unique_ptr<SoundDecoder> decoder, uint32_t flags,
          int category, bool keepLoaded);
    virtual ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Buffer 0 filled from the decoder and the duplicates (separate filled buffers with CtrlFx); on failure
    // none is left.
    virtual int32_t CreateBuffers();
    virtual void ReleaseBuffers();
    // Stores loop (and muted when set), then PlayBuffer at priority 0 with looping as asked.
    virtual int32_t Play(float volume, uint32_t frequency, bool loop, bool muted);
    // Only when muted: every buffer plays again from where it stopped.
    virtual int32_t Unmute();
    // The manager's slot of a streaming sound; null for a plain sound.
    virtual NotifySlot* GetNotifySlot() { return nullptr; }

    // Plays on the first free buffer (or restarts the last when all play) at volume (0..1, times the sound
    // volume), frequency (0 the buffer's own rate, 0xFFFFFFFF unchanged) and pan. -1 no buffer, -2 a lost
    // buffer that would not restore, -3 a restored buffer that would not refill; otherwise Play's result.
    int32_t PlayBuffer(uint32_t priority, uint32_t flags, float volume, uint32_t frequency, int32_t pan);

    // Marks the sound muted and stops its buffers, keeping their positions. False when a stop failed.
    bool Mute();
    // NotInitialized when there are no buffers.
    int32_t StopAll();
    // A muted sound counts as playing.
    bool IsPlaying();
    // Stores the sound volume (category times master) and applies it; changes below FLT_EPSILON are ignored.
    bool SetVolume(float volume);
    bool ApplyVolume();
    // Unless kept loaded: releases the buffers when none plays.
    void ReleaseIfIdle();
    // Lets go of the buffers and of the device, which is about to close; later plays fail.
    virtual void Abandon();

    // Hundredths of a decibel for volume times the sound volume (clamped to 0..1).
    int32_t VolumeToDecibels(float volume) const;

    int GetCategory() const { return category_; }
    float GetSoundVolume() const { return soundVolume_; }
    size_t GetBufferCount();
    // The buffer at index, null when there is none; the sound keeps it.
    platform::SoundBuffer* GetBuffer(size_t index);
    SoundDecoder* GetDecoder() { return decoder_.get(); }

protected:
    // 0 restored or nothing to restore (restored says which), -1 the status cannot be read or the buffer
    // stayed lost.
    int32_t RestoreBuffer(platform::SoundBuffer& buffer, bool& restored);
    // The whole buffer from the decoder's start, silence after its end. CO_E_NOTINITIALIZED without a
    // buffer, -1 lost, -2 lock, -3 read, -6 open, -7 close failed.
    virtual int32_t FillBuffer(platform::SoundBuffer* buffer);
    // Fills as much of dest as the decoder gives; streaming sounds wrap here when looping.
    virtual int32_t ReadPcm(uint8_t* dest, uint32_t size, uint32_t& read);
    // The first buffer that does not play, else the last; -1 when there is none.
    int FreeBufferIndex();
    void FillSilence(uint8_t* dest, uint32_t size) const;
    int32_t CreateBuffer(const platform::WaveFormat& format, uint32_t bytes,
                         std::unique_ptr<platform::SoundBuffer>& buffer);

    platform::AudioDevice* device_;
    std::vector<std::unique_ptr<platform::SoundBuffer>> buffers_;
    uint32_t bufferSize_ = 0;
    std::unique_ptr<SoundDecoder> decoder_;
    const uint32_t bufferCount_;
    const uint32_t flags_;
    const int category_;
    float soundVolume_ = 1.0f;
    std::vector<float> bufferVolumes_;
    bool loop_ = false;
    bool muted_ = false;
    const bool keepLoaded_;
    CriticalSectionLock soundLock_;
};

}  // namespace quill
