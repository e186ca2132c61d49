#include "tests/support/sound/SoundFiles.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace kvtest {
namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

void AppendPages(std::vector<uint8_t>& out, ogg_stream_state& stream, bool flush) {
    ogg_page page;
    while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }
}

}  // namespace

std::vector<int16_t> RampSamples(uint32_t count) {
    std::vector<int16_t> samples(count);
    for (uint32_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(static_cast<int32_t>(i % 20000) - 10000);
    }
    return samples;
}

std::vector<int16_t> SineSamples(uint32_t frames, uint32_t channels, uint32_t rate, double frequency,
                                 double amplitude) {
    std::vector<int16_t> samples;
    samples.reserve(static_cast<size_t>(frames) * channels);
    for (uint32_t i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2.0 * M_PI * frequency * i / rate);
        for (uint32_t c = 0; c < channels; ++c) {
            samples.push_back(static_cast<int16_t>(std::lrint(value * 32767.0)));
        }
    }
    return samples;
}

std::vector<uint8_t> PcmBytes(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples) {
        PutU16(bytes, static_cast<uint16_t>(sample));
    }
    return bytes;
}

std::vector<uint8_t> WaveBytes(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate,
                               const std::string& extraChunk) {
    const std::vector<uint8_t> pcm = PcmBytes(samples);
    std::vector<uint8_t> body;
    PutTag(body, "WAVE");
    PutTag(body, "fmt ");
    PutU32(body, 16);
    PutU16(body, 1);
    PutU16(body, channels);
    PutU32(body, rate);
    PutU32(body, rate * channels * 2);
    PutU16(body, channels * 2);
    PutU16(body, 16);
    if (!extraChunk.empty()) {
        PutTag(body, extraChunk.c_str());
        PutU32(body, 6);
        body.insert(body.end(), {'a', 't', 'a', 'd', 'x', 'y'});
    }
    PutTag(body, "data");
    PutU32(body, static_cast<uint32_t>(pcm.size()));
    body.insert(body.end(), pcm.begin(), pcm.end());
    std::vector<uint8_t> file;
    PutTag(file, "RIFF");
    PutU32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<uint8_t> OggBytes(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, static_cast<long>(rate), 0.6f) != 0) {
        throw std::runtime_error("vorbis_encode_init_vbr");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::vector<uint8_t> out;
    ogg_packet header;
    ogg_packet commentHeader;
    ogg_packet codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    AppendPages(out, stream, true);

    const size_t frames = samples.size() / channels;
    size_t done = 0;
    bool ended = false;
    bool flushed = false;
    while (!ended) {
        const size_t step = std::min<size_t>(1024, frames - done);
        if (step == 0) {
            if (flushed) {
                break;
            }
            vorbis_analysis_wrote(&dsp, 0);
            flushed = true;
        } else {
            float** input = vorbis_analysis_buffer(&dsp, static_cast<int>(step));
            for (size_t i = 0; i < step; ++i) {
                for (uint16_t c = 0; c < channels; ++c) {
                    input[c][i] = samples[(done + i) * channels + c] / 32768.0f;
                }
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(step));
            done += step;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                AppendPages(out, stream, false);
                ended = ended || packet.e_o_s != 0;
            }
        }
    }
    AppendPages(out, stream, true);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

quill::SharedPtr<quill::SoundResource> SoundResourceOf(const std::vector<uint8_t>& bytes, uint16_t format) {
    auto resource = quill::make_shared<quill::SoundResource>(u"test", format);
    resource->AllocateData(static_cast<uint32_t>(bytes.size()));
    if (!bytes.empty()) {
        std::memcpy(resource->Data().Data(), bytes.data(), bytes.size());
    }
    return resource;
}

}  // namespace kvtest
