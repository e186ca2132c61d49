#pragma once
// Where a sound gets its PCM bytes: a decoder over the in-memory stream of a sound resource (the normal
// case) or over a file by name. WaveDecoder reads RIFF WAVE data, OggDecoder Ogg Vorbis data. Results are
// 0 on success and the decoder's own negative numbers on failure.
//
// Threads: one user at a time. A plain sound uses its decoder under its own lock; a streaming sound's
// decoder is used by the notification thread under the stream lock.
#include <cstdint>

#include "QuillLib/core/SharedPtr.h"
#include "QuillLib/core/WString.h"
#include "platform/audio/WaveFormat.h"

namespace quill {

class SoundResource;
class Stream;

class SoundDecoder {
public:
    static constexpr int kRead = 0;
    static constexpr int kWrite = 1;

    virtual ~SoundDecoder() = default;

    virtual int32_t OpenStream(Stream& stream, int mode) = 0;
    virtual int32_t OpenFile(WStringView name, int mode, const platform::WaveFormat* format) = 0;
    virtual int32_t Close() = 0;
    // Up to size bytes of PCM; read tells how many came (0 at the end).
    virtual int32_t Read(void* buffer, uint32_t size, uint32_t& read) = 0;
    virtual int32_t Write(const void* buffer, uint32_t size, uint32_t& written) = 0;
    // Back to the first PCM byte.
    virtual int32_t Rewind() = 0;
    // Null while closed.
    virtual const platform::WaveFormat* GetFormat() const = 0;
    // Total PCM bytes; 0 while closed.
    virtual uint32_t GetSize() = 0;

    // Opens for reading, on the source stream when there is one, else on the file name.
    int32_t Open();
    // The total PCM bytes, opening (and closing again) when closed; 0 when it cannot be opened.
    uint32_t GetTotalSize();

    bool IsOpen() const { return open_; }
    // Keeps the resource whose bytes the decoder reads alive as long as the decoder.
    void HoldSource(SharedPtr<SoundResource> resource) { resource_ = std::move(resource); }

protected:
    // On the stream, which must outlive the decoder (or be held with HoldSource).
    explicit SoundDecoder(Stream& source) : sourceStream_(&source) {}
    explicit SoundDecoder(WString fileName) : fileName_(std::move(fileName)) {}
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    bool open_ = false;

private:
    WString fileName_;
    Stream* sourceStream_ = nullptr;
    SharedPtr<SoundResource> resource_;
};

}  // namespace quill
