#pragma once
// The decoder of Ogg Vorbis data: 16-bit signed little-endian PCM through libvorbisfile, reading an engine
// stream through read, seek and tell (closing the decoder leaves the stream alone) or a file by name.
// Results are the library's negative codes on failure; -1 for a stream that cannot be positioned at its
// start and for any mode but reading.
#include <memory>
#include <optional>

#include "QuillLib/sound/SoundDecoder.h"
#include "platform/audio/vorbis/VorbisFile.h"

namespace quill {

class OggDecoder : public SoundDecoder {
public:
    explicit OggDecoder(Stream& source);
    explicit OggDecoder(WString fileName);
    ~OggDecoder() override;

    int32_t OpenStream(Stream& stream, int mode) override;
    int32_t OpenFile(WStringView name, int mode, const platform::WaveFormat* format) override;
    int32_t Close() override;
    // Decodes until size bytes came or the stream ended; a damaged stream's code is returned.
    int32_t Read(void* buffer, uint32_t size, uint32_t& read) override;
    // Ogg data is never written: always 1.
    int32_t Write(const void* buffer, uint32_t size, uint32_t& written) override;
    int32_t Rewind() override;
    const platform::WaveFormat* GetFormat() const override { return format_ ? &*format_ : nullptr; }
    uint32_t GetSize() override;

private:
    class StreamSource;

    int32_t Opened(int result);

    std::unique_ptr<StreamSource> source_;
    platform::VorbisFile vorbis_;
    std::optional<platform::WaveFormat> format_;
};

}  // namespace quill
