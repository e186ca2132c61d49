#include "platform/audio/null/NullAudioDevice.h"

#include <algorithm>
#include <chrono>

namespace platform {

NullAudioDevice::~NullAudioDevice() {
    StopRealTimeClock();
}

bool NullAudioDevice::ApplyPrimaryFormat(const WaveFormat& format) {
    GetMixer().SetOutputFormat(format.samplesPerSec, format.channels);
    return true;
}

void NullAudioDevice::Advance(uint32_t frames, std::vector<float>* output) {
    Mixer& mixer = GetMixer();
    const uint32_t channels = mixer.OutputChannels();
    pass_.resize(static_cast<size_t>(kPassFrames) * channels);
    while (frames > 0) {
        const uint32_t step = std::min(frames, kPassFrames);
        mixer.Mix(pass_.data(), step);
        if (output != nullptr) {
            output->insert(output->end(), pass_.begin(), pass_.begin() + static_cast<size_t>(step) * channels);
        }
        frames -= step;
    }
}

void NullAudioDevice::AdvanceMs(uint32_t ms, std::vector<float>* output) {
    Advance(static_cast<uint32_t>(static_cast<uint64_t>(ms) * GetMixer().OutputRate() / 1000), output);
}

bool NullAudioDevice::StartRealTimeClock() {
    stop_.Reset();
    return clock_.Start([this] { RunRealTime(); });
}

void NullAudioDevice::StopRealTimeClock() {
    stop_.Set();
    clock_.Join();
}

void NullAudioDevice::RunRealTime() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    uint64_t mixed = 0;
    // Every 10 ms, mix as many frames as the time since the start asks for.
    while (!stop_.Wait(10)) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
        const uint64_t due = static_cast<uint64_t>(elapsed.count()) * GetMixer().OutputRate() / 1000000;
        if (due > mixed) {
            Advance(static_cast<uint32_t>(std::min<uint64_t>(due - mixed, 1u << 20)));
            mixed = due;
        }
    }
}

}  // namespace platform
