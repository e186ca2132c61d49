#pragma once
// The decoder of RIFF WAVE data: PCM read through a SoundFile, a StreamWaveFile over a stream or an
// MmioWaveFile over a file by name (which may also be written).
#include <memory>

#include "QuillLib/sound/SoundDecoder.h"
#include "QuillLib/sound/SoundFile.h"

namespace quill {

class WaveDecoder : public SoundDecoder {
public:
    explicit WaveDecoder(Stream& source) : SoundDecoder(source) {}
    explicit WaveDecoder(WString fileName) : SoundDecoder(std::move(fileName)) {}
    ~WaveDecoder() override { Close(); }

    // The file's own codes (StreamWaveFile, MmioWaveFile).
    int32_t OpenStream(Stream& stream, int mode) override;
    int32_t OpenFile(WStringView name, int mode, const platform::WaveFormat* format) override;
    int32_t Close() override;
    int32_t Read(void* buffer, uint32_t size, uint32_t& read) override;
    int32_t Write(const void* buffer, uint32_t size, uint32_t& written) override;
    int32_t Rewind() override;
    const platform::WaveFormat* GetFormat() const override;
    uint32_t GetSize() override;

private:
    int32_t OpenWith(std::unique_ptr<SoundFile> file, int mode, const platform::WaveFormat* format);

    std::unique_ptr<SoundFile> file_;
};

}  // namespace quill
