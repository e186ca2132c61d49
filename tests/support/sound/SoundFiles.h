#pragma once
// Sound data made by the tests: PCM patterns whose every sample tells where it came from, sine tones, and
// the same PCM wrapped as WAVE bytes or encoded as Ogg Vorbis (with libvorbisenc).
#include <cstdint>
#include <string>
#include <vector>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/resource/SoundResource.h"

namespace kvtest {

// 16-bit mono samples that never repeat within 20000 samples: sample i is (i % 20000) - 10000.
std::vector<int16_t> RampSamples(uint32_t count);
// A sine tone of frequency Hz at amplitude (0..1), interleaved over channels (the same on each).
std::vector<int16_t> SineSamples(uint32_t frames, uint32_t channels, uint32_t rate, double frequency,
                                 double amplitude);

std::vector<uint8_t> PcmBytes(const std::vector<int16_t>& samples);

// A canonical 16-bit PCM WAVE file; a chunk named extraChunk (when not empty) of 6 bytes stands between
// "fmt " and "data".
std::vector<uint8_t> WaveBytes(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate,
                               const std::string& extraChunk = "");
// Ogg Vorbis of the samples at quality 0.6.
std::vector<uint8_t> OggBytes(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate);

// A sound resource holding the bytes in the given format (quill::SoundResource::kWave or kOggVorbis).
quill::SharedPtr<quill::SoundResource> SoundResourceOf(const std::vector<uint8_t>& bytes, uint16_t format);

}  // namespace kvtest
