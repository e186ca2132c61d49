#include "platform/audio/Mixer.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "platform/audio/SoundBuffer.h"

namespace platform {

bool Mixer::AddVoice(SoundBuffer* voice) {
    std::lock_guard lock(tableMutex_);
    for (uint32_t i = 0; i < kMaxVoices; ++i) {
        if (voices_[i].load() == nullptr) {
            voices_[i].store(voice);
            used_.store(std::max(used_.load(), i + 1));
            return true;
        }
    }
    return false;
}

void Mixer::RemoveVoice(SoundBuffer* voice) {
    {
        std::lock_guard lock(tableMutex_);
        for (uint32_t i = 0; i < used_.load(); ++i) {
            if (voices_[i].load() == voice) {
                voices_[i].store(nullptr);
                break;
            }
        }
    }
    WaitForPass();
}

void Mixer::WaitForPass() const {
    // A pass that starts after this load no longer sees what the caller took out before it.
    const uint64_t seen = passes_.load();
    if ((seen & 1) == 0) {
        return;
    }
    while (passes_.load() == seen) {
        std::this_thread::yield();
    }
}

void Mixer::SetOutputFormat(uint32_t samplesPerSec, uint32_t channels) {
    outputRate_.store(samplesPerSec);
    outputChannels_.store(channels);
}

void Mixer::Mix(float* out, uint32_t frames) {
    passes_.fetch_add(1);
    const uint32_t channels = outputChannels_.load();
    const uint32_t rate = outputRate_.load();
    const size_t samples = static_cast<size_t>(frames) * channels;
    std::fill(out, out + samples, 0.0f);
    const uint32_t used = used_.load();
    for (uint32_t i = 0; i < used; ++i) {
        if (SoundBuffer* voice = voices_[i].load()) {
            voice->MixInto(out, frames, channels, rate);
        }
    }
    for (size_t i = 0; i < samples; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
    passes_.fetch_add(1);
}

void Mixer::ToSigned16(const float* in, int16_t* out, size_t samples) {
    for (size_t i = 0; i < samples; ++i) {
        out[i] = static_cast<int16_t>(std::lrint(std::clamp(in[i] * 32768.0f, -32768.0f, 32767.0f)));
    }
}

void Mixer::ToUnsigned8(const float* in, uint8_t* out, size_t samples) {
    for (size_t i = 0; i < samples; ++i) {
        out[i] = static_cast<uint8_t>(std::lrint(std::clamp(in[i] * 128.0f, -128.0f, 127.0f)) + 128);
    }
}

}  // namespace platform
