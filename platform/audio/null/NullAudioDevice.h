#pragma once
// The audio device without an output: the same buffers and mixer, advanced by a clock instead of a sound
// card. Tests drive the clock by hand (Advance) and may read what was mixed; the program, when no real
// device opens, lets it run in real time so that sounds still end and streams still refill.
#include <cstdint>
#include <vector>

#include "platform/audio/AudioDevice.h"
#include "platform/system/Event.h"
#include "platform/system/Thread.h"

namespace platform {

class NullAudioDevice : public AudioDevice {
public:
    NullAudioDevice() = default;
    ~NullAudioDevice() override;

    // Mixes frames of output at the primary format, in passes of at most kPassFrames, and appends the mixed
    // samples to output when one is given. Not while the real-time clock runs.
    void Advance(uint32_t frames, std::vector<float>* output = nullptr);
    // Advance by milliseconds of output (rounded down to whole frames).
    void AdvanceMs(uint32_t ms, std::vector<float>* output = nullptr);

    // Advances the clock with the passing time on a thread of its own, until StopRealTimeClock or the end
    // of the device. False when the thread cannot start or already runs.
    bool StartRealTimeClock();
    void StopRealTimeClock();

    static constexpr uint32_t kPassFrames = 512;

protected:
    bool ApplyPrimaryFormat(const WaveFormat& format) override;

private:
    void RunRealTime();

    std::vector<float> pass_;
    Event stop_{true, false};
    Thread clock_;
};

}  // namespace platform
