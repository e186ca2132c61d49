#include "QuillLib/sound/OggDecoder.h"

#include <algorithm>
#include <climits>

#include "QuillLib/core/Stream.h"
#include "platform/audio/vorbis/VorbisSource.h"

namespace quill {

// The engine stream as libvorbisfile reads it; positions beyond 32 bits cannot exist in it.
class OggDecoder::StreamSource : public platform::VorbisSource {
public:
    explicit StreamSource(Stream& stream) : stream_(stream) {}

    size_t Read(void* buffer, size_t bytes) override {
        return stream_.Read(buffer, static_cast<uint32_t>(std::min<size_t>(bytes, UINT32_MAX)));
    }
    bool Seek(int64_t offset, int origin) override {
        if (offset < INT32_MIN || offset > INT32_MAX || origin < 0) {
            return false;
        }
        return stream_.Seek(static_cast<uint32_t>(origin), static_cast<int32_t>(offset));
    }
    int64_t Tell() override {
        const uint32_t position = stream_.Tell();
        return position == Stream::kCannotTell ? -1 : position;
    }

private:
    Stream& stream_;
};

OggDecoder::OggDecoder(Stream& source) : SoundDecoder(source) {}
OggDecoder::OggDecoder(WString fileName) : SoundDecoder(std::move(fileName)) {}

OggDecoder::~OggDecoder() {
    Close();
}

int32_t OggDecoder::OpenStream(Stream& stream, int mode) {
    Close();
    if (mode != kRead || !stream.Seek(Stream::kFromBegin, 0)) {
        return -1;
    }
    source_ = std::make_unique<StreamSource>(stream);
    return Opened(vorbis_.Open(*source_));
}

int32_t OggDecoder::OpenFile(WStringView name, int mode, const platform::WaveFormat*) {
    Close();
    if (mode != kRead) {
        return -1;
    }
    return Opened(vorbis_.OpenFile(name));
}

int32_t OggDecoder::Opened(int result) {
    if (result != 0) {
        source_.reset();
        return result;
    }
    // The format record's extra size holds 18 here, as it always has; PCM readers ignore it.
    platform::WaveFormat format = platform::WaveFormat::Pcm(static_cast<uint16_t>(vorbis_.Channels()),
                                                            static_cast<uint32_t>(vorbis_.Rate()), 16);
    format.extraSize = 18;
    format_ = std::move(format);
    open_ = true;
    return 0;
}

int32_t OggDecoder::Close() {
    vorbis_.Clear();
    source_.reset();
    format_.reset();
    open_ = false;
    return 0;
}

int32_t OggDecoder::Read(void* buffer, uint32_t size, uint32_t& read) {
    read = 0;
    auto* out = static_cast<char*>(buffer);
    while (read < size) {
        const int ask = static_cast<int>(std::min<uint32_t>(size - read, INT_MAX));
        const long got = vorbis_.Read(out + read, ask);
        if (got < 0) {
            return static_cast<int32_t>(got);
        }
        if (got == 0) {
            break;
        }
        read += static_cast<uint32_t>(got);
    }
    return 0;
}

int32_t OggDecoder::Write(const void*, uint32_t, uint32_t& written) {
    written = 0;
    return 1;
}

int32_t OggDecoder::Rewind() {
    return vorbis_.SeekToStart();
}

uint32_t OggDecoder::GetSize() {
    const int64_t samples = vorbis_.PcmTotal();
    if (samples < 0 || !format_) {
        return 0;
    }
    const uint64_t bytes = static_cast<uint64_t>(samples) * 2 * format_->channels;
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, UINT32_MAX));
}

}  // namespace quill
