#pragma once
// The software mixer under every audio backend: the table of secondary buffers (voices) and the pass that
// adds the playing ones into float frames and clips the sum.
//
// Threads: Mix runs on the output thread (the audio callback, or the caller of the null device's clock) and
// neither allocates nor waits. Voices are added and removed by the threads that create and destroy buffers;
// removal waits for a mix pass that may still read the voice, so a buffer is never freed under the mixer.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace platform {

class SoundBuffer;

class Mixer {
public:
    static constexpr uint32_t kMaxVoices = 1024;

    // False when the table is full.
    bool AddVoice(SoundBuffer* voice);
    // Takes the voice out and waits until no pass can still use it. Unknown voices are ignored.
    void RemoveVoice(SoundBuffer* voice);
    // Returns once a mix pass that was running at the call has ended.
    void WaitForPass() const;

    // Calls fn on every voice; not on the mixing thread.
    template <class Fn>
    void ForEachVoice(Fn fn) {
        std::lock_guard lock(tableMutex_);
        for (uint32_t i = 0; i < used_.load(); ++i) {
            if (SoundBuffer* voice = voices_[i].load()) {
                fn(*voice);
            }
        }
    }

    // The output the passes produce. Only while no pass runs (the backend's output is closed or paused).
    void SetOutputFormat(uint32_t samplesPerSec, uint32_t channels);
    uint32_t OutputRate() const { return outputRate_.load(); }
    uint32_t OutputChannels() const { return outputChannels_.load(); }

    // Fills out (frames x the output channels, interleaved) with the sum of the playing voices, clipped to
    // [-1, 1], and moves their cursors.
    void Mix(float* out, uint32_t frames);

    // Output conversions of a clipped float pass.
    static void ToSigned16(const float* in, int16_t* out, size_t samples);
    static void ToUnsigned8(const float* in, uint8_t* out, size_t samples);

private:
    std::array<std::atomic<SoundBuffer*>, kMaxVoices> voices_{};
    std::atomic<uint32_t> used_{0};       // slots below this may hold a voice
    std::atomic<uint64_t> passes_{0};     // odd while a pass runs
    std::mutex tableMutex_;               // adders and removers; never taken by Mix
    std::atomic<uint32_t> outputRate_{44100};
    std::atomic<uint32_t> outputChannels_{2};
};

}  // namespace platform
