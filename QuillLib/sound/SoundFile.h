#pragma once
// A WAVE file as the WAVE decoder reads it: the format record and then PCM bytes, from an engine stream
// (StreamWaveFile) or a file by name (MmioWaveFile, which also writes). Results are 0 on success and the
// small negative numbers each implementation lists on failure.
//
// Threads: one user at a time (the sound that owns the decoder).
#include <cstdint>
#include <optional>

#include "platform/audio/WaveFormat.h"

namespace quill {

class SoundFile {
public:
    static constexpr int kRead = 0;
    static constexpr int kWrite = 1;

    virtual ~SoundFile() = default;

    // format: what a file opened for writing will hold; ignored when reading.
    virtual int32_t Open(int mode, const platform::WaveFormat* format) = 0;
    virtual int32_t Close() = 0;
    virtual int32_t Read(void* buffer, uint32_t size, uint32_t& read) = 0;
    virtual int32_t Write(const void* buffer, uint32_t size, uint32_t& written) = 0;
    // PCM bytes in the file.
    virtual uint32_t GetSize() = 0;
    // Back to the first PCM byte.
    virtual int32_t Rewind() = 0;

    // Null until a header was read or written.
    const platform::WaveFormat* GetFormat() const { return format_ ? &*format_ : nullptr; }

protected:
    SoundFile() = default;
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    std::optional<platform::WaveFormat> format_;
};

}  // namespace quill
