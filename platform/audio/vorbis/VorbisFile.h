#pragma once
// An Ogg Vorbis stream decoded by libvorbisfile into 16-bit signed little-endian PCM. Results are the
// library's own: 0 or a byte count on success, its negative codes on failure.
//
// Threads: one user at a time; the sound that owns the decoder serialises its calls.
#include <cstdint>
#include <memory>

#include "platform/audio/vorbis/VorbisSource.h"
#include "platform/system/WString.h"

struct OggVorbis_File;

namespace platform {

class VorbisFile {
public:
    // What Open returns when the file cannot be opened at all.
    static constexpr int kCannotOpen = -1;

    VorbisFile();
    ~VorbisFile();
    VorbisFile(const VorbisFile&) = delete;
    VorbisFile& operator=(const VorbisFile&) = delete;

    // Decodes from source, which must outlive the open stream; closing never closes the source.
    int Open(VorbisSource& source);
    // Decodes the file at a Windows path, opened for reading in binary mode.
    int OpenFile(WStringView path);
    bool IsOpen() const { return open_; }
    void Clear();

    int Channels() const;
    long Rate() const;
    // Up to bytes bytes of PCM; 0 at the end; a negative code for a damaged stream (a hole included).
    long Read(char* buffer, int bytes);
    // Back to the first sample.
    int SeekToStart();
    // Samples per channel in the whole stream; negative when unknown.
    int64_t PcmTotal();

private:
    std::unique_ptr<OggVorbis_File> file_;
    bool open_ = false;
};

}  // namespace platform
