#include "tools/mkdata/PcmSound.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace mkdata {
namespace {

constexpr float kCycle = 2.0f * std::numbers::pi_v<float>;

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, static_cast<uint16_t>(value & 0xFFFF));
    PutU16(out, static_cast<uint16_t>(value >> 16));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(tag[i]));
    }
}

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// The libvorbis encoder's state, released in the order the library asks for.
class VorbisEncoder {
public:
    VorbisEncoder() {
        vorbis_info_init(&info_);
    }
    ~VorbisEncoder() {
        if (started_) {
            ogg_stream_clear(&stream_);
            vorbis_block_clear(&block_);
            vorbis_dsp_clear(&dsp_);
        }
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool Start(uint32_t sampleRate, float quality, std::vector<uint8_t>& out) {
        vorbis_comment_init(&comment_);
        if (vorbis_encode_init_vbr(&info_, 1, static_cast<long>(sampleRate), quality) != 0) {
            return false;
        }
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, 1);
        started_ = true;
        ogg_packet header, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) {
            AppendPage(out, page);
        }
        return true;
    }

    void Write(const std::vector<float>& samples, std::vector<uint8_t>& out) {
        constexpr size_t kChunk = 4096;
        for (size_t offset = 0; offset < samples.size(); offset += kChunk) {
            const size_t count = std::min(kChunk, samples.size() - offset);
            float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
            std::memcpy(buffer[0], samples.data() + offset, count * sizeof(float));
            vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
            Drain(out);
        }
        vorbis_analysis_wrote(&dsp_, 0);
        Drain(out);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) {
            AppendPage(out, page);
        }
    }

private:
    void Drain(std::vector<uint8_t>& out) {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0) {
                    AppendPage(out, page);
                }
            }
        }
    }

    vorbis_info info_{};
    vorbis_comment comment_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    bool started_ = false;
};

uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state;
}

}  // namespace

PcmSound::PcmSound(uint32_t sampleRate, float seconds)
    : sampleRate_(sampleRate), samples_(static_cast<size_t>(std::max(0.0f, seconds) * sampleRate), 0.0f) {}

void PcmSound::AddResonance(float start, float frequency, float amplitude, float decay) {
    const size_t first = static_cast<size_t>(start * sampleRate_);
    for (size_t i = first; i < samples_.size(); ++i) {
        const float t = static_cast<float>(i - first) / sampleRate_;
        const float envelope = std::exp(-t / decay);
        if (envelope < 1e-4f) {
            break;
        }
        samples_[i] += amplitude * envelope * std::sin(kCycle * frequency * t);
    }
}

void PcmSound::AddNoiseBurst(float start, float amplitude, float decay, float smoothing, uint32_t seed) {
    const size_t first = static_cast<size_t>(start * sampleRate_);
    uint32_t state = seed * 2654435761u + 1u;
    float smoothed = 0.0f;
    for (size_t i = first; i < samples_.size(); ++i) {
        const float t = static_cast<float>(i - first) / sampleRate_;
        const float envelope = std::exp(-t / decay);
        if (envelope < 1e-4f) {
            break;
        }
        const float white = static_cast<float>(NextRandom(state) >> 8) / 8388608.0f - 1.0f;
        smoothed = smoothed * smoothing + white * (1.0f - smoothing);
        samples_[i] += amplitude * envelope * smoothed;
    }
}

void PcmSound::AddTone(float start, float length, float frequency, float amplitude) {
    const size_t first = static_cast<size_t>(start * sampleRate_);
    const size_t count = static_cast<size_t>(length * sampleRate_);
    const float attack = 0.01f, release = std::min(0.2f, length * 0.5f);
    for (size_t i = 0; i < count && first + i < samples_.size(); ++i) {
        const float t = static_cast<float>(i) / sampleRate_;
        const float envelope = std::min({1.0f, t / attack, (length - t) / release});
        // A little of the second and third harmonic makes it sound like an instrument rather than a test tone.
        const float wave = std::sin(kCycle * frequency * t) + 0.3f * std::sin(kCycle * 2.0f * frequency * t) +
                           0.1f * std::sin(kCycle * 3.0f * frequency * t);
        samples_[first + i] += amplitude * std::max(0.0f, envelope) * wave * std::exp(-t * 1.5f);
    }
}

void PcmSound::Normalise(float peak) {
    float loudest = 0.0f;
    for (float sample : samples_) {
        loudest = std::max(loudest, std::fabs(sample));
    }
    if (loudest > 0.0f) {
        for (float& sample : samples_) {
            sample *= peak / loudest;
        }
    }
}

void PcmSound::FadeOut(float seconds) {
    const size_t count = std::min(samples_.size(), static_cast<size_t>(seconds * sampleRate_));
    for (size_t i = 0; i < count; ++i) {
        samples_[samples_.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(count);
    }
}

std::vector<uint8_t> PcmSound::EncodeWave() const {
    const uint32_t dataSize = static_cast<uint32_t>(samples_.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, 1);  // mono
    PutU32(out, sampleRate_);
    PutU32(out, sampleRate_ * 2);
    PutU16(out, 2);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataSize);
    for (float sample : samples_) {
        const float clamped = std::clamp(sample, -1.0f, 1.0f);
        PutU16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clamped * 32767.0f))));
    }
    return out;
}

std::vector<uint8_t> PcmSound::EncodeVorbis(float quality) const {
    std::vector<uint8_t> out;
    VorbisEncoder encoder;
    if (!encoder.Start(sampleRate_, quality, out)) {
        return {};
    }
    encoder.Write(samples_, out);
    return out;
}

}  // namespace mkdata
