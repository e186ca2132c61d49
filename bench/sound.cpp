// Mixing cost of the audio layer: one second of 44100 Hz stereo output with 32 voices playing at once,
// reported as a multiple of real time (seconds of audio mixed per second of processor time). Voices are
// looping 16-bit buffers with their own volume and pan, at the output rate (no resampling) or at other rates.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/audio/BufferCaps.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/audio/null/NullAudioDevice.h"

namespace {

using namespace platform;

constexpr uint32_t kOutputRate = 44100;
constexpr int kVoices = 32;

std::unique_ptr<SoundBuffer> MakeVoice(NullAudioDevice& device, uint16_t channels, uint32_t rate, int index) {
    BufferDesc desc;
    desc.flags = BufferCaps::CtrlVolume | BufferCaps::CtrlPan | BufferCaps::CtrlFrequency;
    desc.format = WaveFormat::Pcm(channels, rate, 16);
    desc.bytes = rate * desc.format.blockAlign;  // one second
    std::unique_ptr<SoundBuffer> voice;
    device.CreateSoundBuffer(desc, voice);
    LockedRegion region;
    voice->Lock(0, desc.bytes, region);
    for (uint32_t i = 0; i < desc.bytes; i += 2) {
        const auto sample = static_cast<int16_t>((i * 37 + index * 1000) % 20000 - 10000);
        std::memcpy(region.first + i, &sample, 2);
    }
    voice->Unlock(region);
    voice->SetVolume(-100 * (index % 10));
    voice->SetPan(-5000 + 300 * index);
    voice->Play(PlayFlags::Looping);
    return voice;
}

// Arguments: source channels, source rate.
void BM_Mix32VoicesOneSecond(benchmark::State& state) {
    NullAudioDevice device;
    device.SetPrimaryFormat(WaveFormat::Pcm(2, kOutputRate, 16));
    std::vector<std::unique_ptr<SoundBuffer>> voices;
    for (int i = 0; i < kVoices; ++i) {
        voices.push_back(MakeVoice(device, static_cast<uint16_t>(state.range(0)),
                                   static_cast<uint32_t>(state.range(1)), i));
    }
    for (auto _ : state) {
        device.Advance(kOutputRate);
    }
    state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Mix32VoicesOneSecond)
    ->ArgNames({"channels", "rate"})
    ->Args({2, 44100})
    ->Args({1, 22050})
    ->Args({1, 11025})
    ->Unit(benchmark::kMillisecond);

}  // namespace
