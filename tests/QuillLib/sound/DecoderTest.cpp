// WAVE and Ogg Vorbis data made by the tests decode to the samples they were made from; damaged data fails
// its open with the decoder's code, and WAVE files written by name read back through both readers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/resource/SoundResource.h"
#include "QuillLib/sound/CreateSoundDecoder.h"
#include "QuillLib/sound/OggDecoder.h"
#include "QuillLib/sound/StreamWaveFile.h"
#include "QuillLib/sound/WaveDecoder.h"
#include "tests/support/common/TempDirectory.h"
#include "tests/support/sound/SoundFiles.h"

namespace quill {
namespace {

using kvtest::PcmBytes;
using kvtest::RampSamples;
using kvtest::SoundResourceOf;
using kvtest::WaveBytes;

std::vector<uint8_t> ReadAll(SoundDecoder& decoder) {
    std::vector<uint8_t> bytes(decoder.GetSize() + 100);
    uint32_t read = 0;
    EXPECT_EQ(decoder.Read(bytes.data(), static_cast<uint32_t>(bytes.size()), read), 0);
    bytes.resize(read);
    return bytes;
}

MemoryStream StreamOf(const std::vector<uint8_t>& bytes) {
    MemoryStream stream;
    stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return stream;
}

void PutU16At(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

TEST(WaveDecoderTest, FindsTheDataBehindAnotherChunkAndReadsNoFurtherThanItsEnd) {
    const auto samples = RampSamples(1000);
    const auto resource = SoundResourceOf(WaveBytes(samples, 1, 8000, "LIST"), SoundResource::kWave);
    std::unique_ptr<SoundDecoder> decoder = CreateSoundDecoder(resource, true);
    ASSERT_NE(decoder, nullptr);

    const platform::WaveFormat& format = *decoder->GetFormat();
    EXPECT_EQ(format.formatTag, 1);
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.samplesPerSec, 8000u);
    EXPECT_EQ(format.avgBytesPerSec, 16000u);
    EXPECT_EQ(format.blockAlign, 2);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(format.extraSize, 0);
    EXPECT_EQ(decoder->GetSize(), 2000u);
    EXPECT_EQ(ReadAll(*decoder), PcmBytes(samples));
    ASSERT_EQ(decoder->Rewind(), 0);
    EXPECT_EQ(ReadAll(*decoder), PcmBytes(samples));
    EXPECT_EQ(CreateSoundDecoder(SoundResourceOf({}, 7), false), nullptr) << "an unknown format has no decoder";
}

TEST(WaveDecoderTest, NonPcmFormatKeepsItsExtraBytes) {
    std::vector<uint8_t> bytes = WaveBytes({}, 1, 8000);
    PutU16At(bytes, 20, 2);               // an ADPCM-style tag
    const uint8_t extra[] = {4, 0, 'a', 'b', 'c', 'd'};
    bytes.insert(bytes.begin() + 36, std::begin(extra), std::end(extra));
    MemoryStream stream = StreamOf(bytes);
    StreamWaveFile file(stream);
    ASSERT_EQ(file.Open(SoundFile::kRead, nullptr), 0);
    EXPECT_EQ(file.GetFormat()->formatTag, 2);
    EXPECT_EQ(file.GetFormat()->extraSize, 4);
    EXPECT_EQ(file.GetFormat()->extra, (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
    EXPECT_EQ(file.Open(SoundFile::kWrite, nullptr), -1) << "streams are read only";
}

TEST(WaveDecoderTest, DamagedFilesFailWithTheStepThatFoundTheDamage) {
    const std::vector<uint8_t> good = WaveBytes(RampSamples(100), 1, 8000);
    auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
    std::vector<uint8_t> noExtraSize = cut(36);
    PutU16At(noExtraSize, 20, 2);
    std::vector<uint8_t> shortExtra = noExtraSize;
    shortExtra.insert(shortExtra.end(), {9, 0, 1, 2});
    std::vector<uint8_t> noData(good.begin(), good.begin() + 36);
    noData.insert(noData.end(), 4000, 'x');
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int32_t code;
    };
    const Case cases[] = {
        {"empty", {}, -2},
        {"header cut inside the format", cut(30), -3},
        {"non-PCM without its extra size", noExtraSize, -7},
        {"non-PCM with short extra bytes", shortExtra, -9},
        {"no data chunk", noData, -10},
        {"cut right after the data tag", cut(42), -2},
        {"data cut short", cut(good.size() - 1), -11},
    };
    for (const Case& c : cases) {
        MemoryStream stream = StreamOf(c.bytes);
        WaveDecoder decoder(stream);
        EXPECT_EQ(decoder.Open(), c.code) << c.name;
        EXPECT_FALSE(decoder.IsOpen()) << c.name;
        EXPECT_EQ(decoder.GetFormat(), nullptr) << c.name;
    }
}

TEST(WaveDecoderTest, FileWrittenByNameReadsBackThroughBothReaders) {
    kvtest::TempDirectory folder;
    const auto samples = kvtest::SineSamples(3001, 2, 11025, 440.0, 0.5);
    const platform::WaveFormat format = platform::WaveFormat::Pcm(2, 11025, 16);
    const std::vector<uint8_t> pcm = PcmBytes(samples);
    {
        WaveDecoder writer(folder.Wide("tone.wav"));
        ASSERT_EQ(writer.OpenFile(folder.Wide("tone.wav"), SoundDecoder::kWrite, &format), 0);
        uint32_t written = 0;
        ASSERT_EQ(writer.Write(pcm.data(), static_cast<uint32_t>(pcm.size()), written), 0);
        ASSERT_EQ(written, pcm.size());
        ASSERT_EQ(writer.Close(), 0);
    }
    WaveDecoder byName(folder.Wide("tone.wav"));
    ASSERT_EQ(byName.Open(), 0);
    EXPECT_EQ(byName.GetSize(), pcm.size());
    EXPECT_EQ(byName.GetFormat()->avgBytesPerSec, format.avgBytesPerSec);
    EXPECT_EQ(ReadAll(byName), pcm);

    // The file holds "fmt ", "fact" and "data" in turn; the stream reader finds "data" by its scan.
    std::ifstream in(folder.Path() / "tone.wav", std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    const auto resource = SoundResourceOf(file, SoundResource::kWave);
    std::unique_ptr<SoundDecoder> fromStream = CreateSoundDecoder(resource, true);
    ASSERT_NE(fromStream, nullptr);
    EXPECT_EQ(ReadAll(*fromStream), pcm);
    EXPECT_EQ(std::memcmp(file.data() + 36, "fact", 4), 0);
    EXPECT_EQ(file[44], 0) << "the fact value is settled on close";

    WaveDecoder missing(folder.Wide("absent.wav"));
    EXPECT_EQ(missing.Open(), -6);
}

TEST(OggDecoderTest, DecodesATestToneToItsSamples) {
    struct Case {
        uint16_t channels;
        uint32_t rate;
        uint32_t frames;
    };
    for (const Case& c : {Case{1, 22050, 22050}, Case{2, 44100, 44100}}) {
        SCOPED_TRACE(c.channels);
        const auto samples = kvtest::SineSamples(c.frames, c.channels, c.rate, 440.0, 0.5);
        const auto resource = SoundResourceOf(kvtest::OggBytes(samples, c.channels, c.rate), SoundResource::kOggVorbis);
        std::unique_ptr<SoundDecoder> decoder = CreateSoundDecoder(resource, true);
        ASSERT_NE(decoder, nullptr);

        const platform::WaveFormat& format = *decoder->GetFormat();
        EXPECT_EQ(format.formatTag, 1);
        EXPECT_EQ(format.channels, c.channels);
        EXPECT_EQ(format.samplesPerSec, c.rate);
        EXPECT_EQ(format.bitsPerSample, 16);
        EXPECT_EQ(format.blockAlign, 2 * c.channels);
        EXPECT_EQ(format.avgBytesPerSec, 2u * c.channels * c.rate);
        EXPECT_EQ(format.extraSize, 18);
        EXPECT_EQ(decoder->GetSize(), c.frames * 2u * c.channels);

        const std::vector<uint8_t> decoded = ReadAll(*decoder);
        ASSERT_EQ(decoded.size(), samples.size() * 2);
        double squaredError = 0;
        for (size_t i = 0; i < samples.size(); ++i) {
            const auto value = static_cast<int16_t>(decoded[2 * i] | decoded[2 * i + 1] << 8);
            squaredError += std::pow((value - samples[i]) / 32768.0, 2);
        }
        EXPECT_LT(std::sqrt(squaredError / samples.size()), 0.01) << "a lossy copy of the tone";

        ASSERT_EQ(decoder->Rewind(), 0);
        EXPECT_EQ(ReadAll(*decoder), decoded);
    }
}

TEST(OggDecoderTest, DamagedDataAndWritingFail) {
    const std::vector<uint8_t> good = kvtest::OggBytes(kvtest::SineSamples(8000, 1, 8000, 440.0, 0.5), 1, 8000);
    std::vector<uint8_t> garbage(2000);
    for (size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<uint8_t>(i * 37);
    }
    for (const auto& bytes : {std::vector<uint8_t>(good.begin(), good.begin() + 100), garbage,
                              std::vector<uint8_t>()}) {
        int32_t result = 0;
        EXPECT_EQ(CreateSoundDecoder(SoundResourceOf(bytes, SoundResource::kOggVorbis), true, &result), nullptr);
        EXPECT_LT(result, 0);
    }
    MemoryStream stream = StreamOf(good);
    OggDecoder decoder(stream);
    EXPECT_EQ(decoder.OpenFile(u"music.ogg", SoundDecoder::kWrite, nullptr), -1);
    EXPECT_EQ(decoder.OpenStream(stream, SoundDecoder::kWrite), -1);
    uint32_t written = 5;
    EXPECT_EQ(decoder.Write(good.data(), 4, written), 1);
    EXPECT_EQ(written, 0u);
}

}  // namespace
}  // namespace quill
