#include "QuillLib/sound/StreamWaveFile.h"

#include <cstring>

#include "QuillLib/core/Stream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourceFields.h"
#include "QuillLib/sound/WaveFormatFields.h"
#include "platform/audio/AudioResult.h"

namespace quill {
namespace {

// Where the format record starts in a canonical file: after "RIFF", its size, "WAVE", "fmt " and its size.
constexpr int32_t kCanonicalFormatOffset = 20;

}  // namespace

int32_t StreamWaveFile::Open(int mode, const platform::WaveFormat*) {
    if (mode != kRead) {
        return -1;
    }
    Close();
    if (!stream_.Seek(Stream::kFromBegin, kCanonicalFormatOffset)) {
        return -2;
    }
    if (const int32_t result = ReadFormat(); result != 0) {
        format_.reset();
        return result;
    }
    if (const int32_t result = FindData(); result != 0) {
        Close();
        return result;
    }
    return 0;
}

int32_t StreamWaveFile::ReadFormat() {
    platform::WaveFormat format;
    if (!ReadWaveFormatBase(stream_, format)) {
        return -3;
    }
    if (format.formatTag != platform::WaveFormat::kPcm) {
        if (!ReadU16(stream_, format.extraSize)) {
            return -7;
        }
        format.extra.resize(format.extraSize);
        if (format.extraSize > 0 && stream_.Read(format.extra.data(), format.extraSize) != format.extraSize) {
            return -9;
        }
    }
    format_ = std::move(format);
    return 0;
}

int32_t StreamWaveFile::FindData() {
    // Byte by byte: after four bytes that are not "data", step back three and look again. A look that
    // cannot read four bytes has reached the end without finding it.
    char tag[4];
    for (;;) {
        const uint32_t got = stream_.Read(tag, sizeof tag);
        if (got < sizeof tag) {
            return -10;
        }
        if (std::memcmp(tag, "data", sizeof tag) == 0) {
            break;
        }
        if (!stream_.Seek(Stream::kFromCurrent, -3)) {
            return -10;
        }
    }
    if (!ReadU32(stream_, dataSize_)) {
        return -2;
    }
    dataStart_ = stream_.Tell();
    if (dataSize_ > stream_.Size() - dataStart_) {
        return -11;
    }
    return 0;
}

int32_t StreamWaveFile::Close() {
    format_.reset();
    dataStart_ = 0;
    dataSize_ = 0;
    return 0;
}

int32_t StreamWaveFile::Read(void* buffer, uint32_t size, uint32_t& read) {
    read = 0;
    if (!format_) {
        return platform::AudioResult::NotInitialized;
    }
    const uint32_t position = stream_.Tell();
    const uint32_t end = dataStart_ + dataSize_;
    const uint32_t left = position >= end || position < dataStart_ ? 0 : end - position;
    read = stream_.Read(buffer, size < left ? size : left);
    return 0;
}

int32_t StreamWaveFile::Write(const void*, uint32_t, uint32_t& written) {
    written = 0;
    return -1;
}

int32_t StreamWaveFile::Rewind() {
    return stream_.Seek(Stream::kFromBegin, static_cast<int32_t>(dataStart_)) ? 0 : -1;
}

}  // namespace quill
