#pragma once
// The format of PCM sound data, field for field the 18-byte format record of WAVE files followed by its
// extra bytes. Files are read into it field by field, never copied as a whole.
#include <cstdint>
#include <vector>

namespace platform {

struct WaveFormat {
    static constexpr uint16_t kPcm = 1;

    uint16_t formatTag = kPcm;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;          // the record's own count; PCM ignores it
    std::vector<uint8_t> extra;      // the extra bytes that follow a non-PCM record

    // A PCM format with the block size and byte rate derived from the other three.
    static WaveFormat Pcm(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample) {
        WaveFormat format;
        format.channels = channels;
        format.samplesPerSec = samplesPerSec;
        format.bitsPerSample = bitsPerSample;
        format.blockAlign = static_cast<uint16_t>(bitsPerSample / 8 * channels);
        format.avgBytesPerSec = format.blockAlign * samplesPerSec;
        return format;
    }

    // What the mixer can play: PCM of 8 or 16 bits in one or two channels, a consistent block size and a
    // rate within the buffer frequency limits.
    bool IsPlayablePcm() const {
        return formatTag == kPcm && (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) &&
               blockAlign == bitsPerSample / 8 * channels && samplesPerSec >= 100 && samplesPerSec <= 200000;
    }
};

}  // namespace platform
