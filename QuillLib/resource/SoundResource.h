#pragma once
// The SOUND item: a whole sound file's bytes with their format, as the sound decoders read them, and the
// name of the file they came from.
#include <cstdint>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/NamedObject.h"

namespace quill {

class SoundResource : public NamedObject {
public:
    // Formats.
    static constexpr uint16_t kWave = 0;       // a RIFF WAVE file
    static constexpr uint16_t kOggVorbis = 1;  // an Ogg Vorbis file

    SoundResource(WStringView name, uint16_t format) : NamedObject(name), format_(format) {}
    // Copies id, name, format and bytes; the copy has no source name.
    SoundResource(const SoundResource& other);
    SoundResource& operator=(const SoundResource&) = delete;

    SoundResource* Clone() const override { return new SoundResource(*this); }

    // Sizes the data for the loader, which then reads the bytes into Data().
    bool AllocateData(uint32_t size) { return data_.Allocate(size); }
    // Takes the file's extension (ASCII case ignored): "wav" sets kWave, "ogg" kOggVorbis, and either
    // makes fileName the source name; any other extension changes nothing.
    void SetSource(WStringView fileName);
    // Reads the whole file into the data, then SetSource(fileName). False when the file cannot be opened
    // or read.
    bool LoadFile(WStringView fileName);

    uint16_t Format() const { return format_; }
    const WString& Source() const { return source_; }
    MemoryStream& Data() { return data_; }
    const MemoryStream& Data() const { return data_; }

private:
    uint16_t format_;
    WString source_;
    MemoryStream data_;
};

}  // namespace quill
