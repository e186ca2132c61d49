#include "client/scenes/common/ToneSound.h"

#include <cmath>
#include <numbers>

#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/sound/SoundManager.h"

namespace kestrovan {

namespace {

constexpr uint16_t kBitsPerSample = 16;
constexpr uint16_t kChannels = 1;
constexpr double kAmplitude = 0.75 * 32767.0;
constexpr int kInterfaceCategory = 0;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

std::vector<uint8_t> ToneSound::WaveBytes(uint32_t frequency, uint32_t durationMs) {
    const uint32_t samples = kSampleRate * durationMs / 1000;
    const uint32_t dataBytes = samples * kChannels * kBitsPerSample / 8;
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, kChannels);
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * kChannels * kBitsPerSample / 8);
    Put16(out, kChannels * kBitsPerSample / 8);
    Put16(out, kBitsPerSample);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (uint32_t i = 0; i < samples; ++i) {
        const double phase = 2.0 * std::numbers::pi * frequency * i / kSampleRate;
        Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(kAmplitude * std::sin(phase)))));
    }
    return out;
}

bool ToneSound::PlayBeep(quill::SoundManager* sounds) {
    if (sounds == nullptr) return false;
    if (!sounds->GetSound(kSoundId)) {
        const std::vector<uint8_t> wave = WaveBytes(kBeepFrequency, kBeepMs);
        auto resource = quill::make_shared<quill::SoundResource>(u"Beep", quill::SoundResource::kWave);
        if (!resource->AllocateData(static_cast<uint32_t>(wave.size()))) return false;
        resource->Data().Write(wave.data(), static_cast<uint32_t>(wave.size()));
        resource->Data().Seek(0, 0);
        if (!sounds->LoadSound(resource, kSoundId, kInterfaceCategory, 1, true)) return false;
    }
    return sounds->Play(kSoundId, 1.0f, 0, false);
}

}  // namespace kestrovan
