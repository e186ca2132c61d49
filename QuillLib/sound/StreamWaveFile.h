#pragma once
// A WAVE file held in an engine stream (a sound resource's bytes), read only. The header is taken as the
// canonical one: the format record at byte 20, then the first "data" found by a byte-wise scan.
#include <cstdint>

#include "QuillLib/sound/SoundFile.h"

namespace quill {

class Stream;

class StreamWaveFile : public SoundFile {
public:
    // The stream must outlive the file.
    explicit StreamWaveFile(Stream& stream) : stream_(stream) {}

    // Read mode only (-1 for writing). -2 the stream cannot be positioned or the data size is missing,
    // -3 a short format record, -7 / -9 a short extra size / extra bytes, -10 no "data" chunk, -11 the data
    // runs past the end of the stream.
    int32_t Open(int mode, const platform::WaveFormat* format) override;
    int32_t Close() override;
    // Never past the data's end.
    int32_t Read(void* buffer, uint32_t size, uint32_t& read) override;
    int32_t Write(const void* buffer, uint32_t size, uint32_t& written) override;
    uint32_t GetSize() override { return dataSize_; }
    int32_t Rewind() override;

private:
    int32_t ReadFormat();
    int32_t FindData();

    Stream& stream_;
    uint32_t dataStart_ = 0;
    uint32_t dataSize_ = 0;
};

}  // namespace quill
