#pragma once
// A mono sound being made: float samples at a sample rate, mixed from simple physical models (decaying
// resonances, noise bursts, tones), then written as a RIFF WAVE or an Ogg Vorbis file.
#include <cstdint>
#include <vector>

namespace mkdata {

class PcmSound {
public:
    PcmSound(uint32_t sampleRate, float seconds);

    uint32_t SampleRate() const { return sampleRate_; }
    std::vector<float>& Samples() { return samples_; }
    const std::vector<float>& Samples() const { return samples_; }

    // A struck resonance from start (seconds): frequency (Hz), peak amplitude, decay time constant (s).
    void AddResonance(float start, float frequency, float amplitude, float decay);
    // A burst of noise with the given decay, low-pass smoothed by smoothing (0 none .. 1 heavy).
    void AddNoiseBurst(float start, float amplitude, float decay, float smoothing, uint32_t seed);
    // A tone with soft attack and release, for jingles and the music loop.
    void AddTone(float start, float length, float frequency, float amplitude);
    // Scales the whole sound so that its loudest sample is peak (0..1).
    void Normalise(float peak);
    // Fades the last seconds to silence, so that a sound ends without a click.
    void FadeOut(float seconds);

    // 16-bit signed little-endian mono RIFF WAVE file.
    std::vector<uint8_t> EncodeWave() const;
    // Ogg Vorbis at the given quality (-0.1 .. 1.0); empty when the encoder fails.
    std::vector<uint8_t> EncodeVorbis(float quality) const;

private:
    uint32_t sampleRate_;
    std::vector<float> samples_;
};

}  // namespace mkdata
