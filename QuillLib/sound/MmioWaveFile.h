#pragma once
// A RIFF WAVE file by name, read or written chunk by chunk: "RIFF" of form "WAVE" holding "fmt ", (when
// written) a "fact" chunk, and "data". Reading finds the chunks wherever they stand inside the RIFF chunk.
//
// Result codes of Open (read): -6 the file cannot be opened or its header is bad, -7 no "data" chunk.
// Open (write): -8 the file cannot be created, -9 the header cannot be written, -10 nor the "data" chunk.
// Close after writing fills in the chunk sizes (-1 to -5 when that fails).
#include <cstdint>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/WString.h"
#include "QuillLib/sound/SoundFile.h"

namespace quill {

class MmioWaveFile : public SoundFile {
public:
    explicit MmioWaveFile(WString name) : file_(std::move(name)) {}
    ~MmioWaveFile() override { Close(); }

    int32_t Open(int mode, const platform::WaveFormat* format) override;
    int32_t Close() override;
    // Not past the "data" chunk; -3 when the file ends early.
    int32_t Read(void* buffer, uint32_t size, uint32_t& read) override;
    int32_t Write(const void* buffer, uint32_t size, uint32_t& written) override;
    uint32_t GetSize() override { return dataSize_; }
    int32_t Rewind() override;

    // The steps of Open, with the codes of their checks in order: ReadHeader -1 no first chunk, -2 not
    // RIFF/WAVE, -3 no "fmt ", -4 "fmt " under 16 bytes, -5 / -7 / -9 short format / extra size / extra
    // bytes, -10 the end of "fmt " cannot be reached. WriteHeader -1 to -8, one per chunk step.
    int32_t ReadHeader();
    int32_t WriteHeader(const platform::WaveFormat& format);

private:
    // Moves to the body of the first chunk with this id between the position and end; its size in size.
    bool Descend(const char* id, uint32_t end, uint32_t& size);
    bool WriteChunkHeader(const char* id, uint32_t size);
    bool PatchU32(uint32_t offset, uint32_t value);
    int32_t FinishWriting();

    FileStream file_;
    int mode_ = kRead;
    uint32_t riffEnd_ = 0;       // reading: the end of the RIFF chunk's body
    uint32_t dataStart_ = 0;     // the first PCM byte
    uint32_t dataSize_ = 0;      // PCM bytes in the chunk (read) or written so far
    uint32_t dataLeft_ = 0;      // reading: PCM bytes not read yet
    uint32_t factOffset_ = 0;    // writing: where the "fact" value stands
};

}  // namespace quill
