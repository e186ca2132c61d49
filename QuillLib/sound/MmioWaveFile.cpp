#include "QuillLib/sound/MmioWaveFile.h"

#include <algorithm>
#include <cstring>

#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourceFields.h"
#include "QuillLib/sound/WaveFormatFields.h"
#include "platform/audio/AudioResult.h"

namespace quill {
namespace {

constexpr uint32_t kChunkHeaderSize = 8;
constexpr uint32_t kRiffBodyStart = 12;  // after "RIFF", its size and "WAVE"

bool ReadTag(Stream& in, char (&tag)[4]) {
    return in.Read(tag, 4) == 4;
}

}  // namespace

int32_t MmioWaveFile::Open(int mode, const platform::WaveFormat* format) {
    Close();
    mode_ = mode;
    if (mode == kRead) {
        if (!file_.Open(FileStream::kRead) || ReadHeader() != 0) {
            Close();
            return -6;
        }
        if (Rewind() != 0) {
            Close();
            return -7;
        }
        return 0;
    }
    if (mode != kWrite || format == nullptr) {
        return platform::AudioResult::InvalidArg;
    }
    if (!file_.Open(FileStream::kWrite)) {
        return -8;
    }
    if (WriteHeader(*format) != 0) {
        file_.Close();
        return -9;
    }
    if (Rewind() != 0) {
        file_.Close();
        return -10;
    }
    return 0;
}

bool MmioWaveFile::Descend(const char* id, uint32_t end, uint32_t& size) {
    char tag[4];
    for (;;) {
        const uint32_t position = file_.Tell();
        if (position == Stream::kCannotTell || end - std::min(end, position) < kChunkHeaderSize) {
            return false;
        }
        if (!ReadTag(file_, tag) || !ReadU32(file_, size)) {
            return false;
        }
        if (std::memcmp(tag, id, 4) == 0) {
            return true;
        }
        const uint32_t body = position + kChunkHeaderSize;
        const uint64_t next = static_cast<uint64_t>(body) + size + (size & 1);  // chunks are word-aligned
        if (next >= end || !file_.Seek(Stream::kFromBegin, static_cast<int32_t>(next))) {
            return false;
        }
    }
}

int32_t MmioWaveFile::ReadHeader() {
    char riff[4];
    char form[4];
    uint32_t riffSize = 0;
    if (!ReadTag(file_, riff) || !ReadU32(file_, riffSize) || !ReadTag(file_, form)) {
        return -1;
    }
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(form, "WAVE", 4) != 0) {
        return -2;
    }
    riffEnd_ = std::min<uint64_t>(uint64_t{8} + riffSize, file_.Size());
    uint32_t formatSize = 0;
    if (!Descend("fmt ", riffEnd_, formatSize)) {
        return -3;
    }
    if (formatSize < kWaveFormatBaseSize) {
        return -4;
    }
    const uint32_t formatEnd = file_.Tell() + formatSize + (formatSize & 1);
    platform::WaveFormat format;
    if (!ReadWaveFormatBase(file_, format)) {
        return -5;
    }
    if (format.formatTag != platform::WaveFormat::kPcm) {
        if (!ReadU16(file_, format.extraSize)) {
            return -7;
        }
        format.extra.resize(format.extraSize);
        if (format.extraSize > 0 && file_.Read(format.extra.data(), format.extraSize) != format.extraSize) {
            return -9;
        }
    }
    if (!file_.Seek(Stream::kFromBegin, static_cast<int32_t>(std::min(formatEnd, riffEnd_)))) {
        return -10;
    }
    format_ = std::move(format);
    return 0;
}

bool MmioWaveFile::WriteChunkHeader(const char* id, uint32_t size) {
    return file_.Write(id, 4) == 4 && WriteU32(file_, size);
}

int32_t MmioWaveFile::WriteHeader(const platform::WaveFormat& format) {
    const bool pcm = format.formatTag == platform::WaveFormat::kPcm;
    const auto extraSize = static_cast<uint16_t>(format.extra.size());
    if (!WriteChunkHeader("RIFF", 0) || file_.Write("WAVE", 4) != 4) {
        return -1;
    }
    if (!WriteChunkHeader("fmt ", pcm ? kWaveFormatBaseSize : kWaveFormatBaseSize + 2 + extraSize)) {
        return -2;
    }
    if (pcm) {
        if (!WriteWaveFormatBase(file_, format)) {
            return -3;
        }
    } else if (!WriteWaveFormatBase(file_, format) || !WriteU16(file_, extraSize) ||
               (extraSize > 0 && file_.Write(format.extra.data(), extraSize) != extraSize)) {
        return -4;
    }
    if ((extraSize & 1) != 0 && !pcm && file_.Write("", 1) != 1) {
        return -5;
    }
    if (!WriteChunkHeader("fact", 4)) {
        return -6;
    }
    factOffset_ = file_.Tell();
    if (!WriteU32(file_, 0xFFFFFFFFu)) {
        return -7;
    }
    if (factOffset_ == Stream::kCannotTell) {
        return -8;
    }
    format_ = format;
    if (pcm) {
        format_->extraSize = 0;
    }
    return 0;
}

int32_t MmioWaveFile::Rewind() {
    if (!file_.IsOpen()) {
        return platform::AudioResult::NotInitialized;
    }
    if (mode_ == kWrite) {
        if (dataStart_ != 0) {
            return file_.Seek(Stream::kFromBegin, static_cast<int32_t>(dataStart_)) ? 0 : -4;
        }
        if (!WriteChunkHeader("data", 0)) {
            return -3;
        }
        dataStart_ = file_.Tell();
        return dataStart_ != Stream::kCannotTell ? 0 : -4;
    }
    if (!file_.Seek(Stream::kFromBegin, kRiffBodyStart) || !Descend("data", riffEnd_, dataSize_)) {
        return -2;
    }
    dataStart_ = file_.Tell();
    dataLeft_ = dataSize_;
    return 0;
}

int32_t MmioWaveFile::Read(void* buffer, uint32_t size, uint32_t& read) {
    read = 0;
    if (!file_.IsOpen()) {
        return platform::AudioResult::NotInitialized;
    }
    if (buffer == nullptr || size == 0) {
        return platform::AudioResult::InvalidArg;
    }
    const uint32_t count = std::min(size, dataLeft_);
    if (count > 0 && file_.Read(buffer, count) != count) {
        return -3;
    }
    dataLeft_ -= count;
    read = count;
    return 0;
}

int32_t MmioWaveFile::Write(const void* buffer, uint32_t size, uint32_t& written) {
    written = 0;
    if (!file_.IsOpen() || mode_ != kWrite) {
        return platform::AudioResult::NotInitialized;
    }
    if (buffer == nullptr || size == 0) {
        return platform::AudioResult::InvalidArg;
    }
    if (file_.Write(buffer, size) != size) {
        return -1;
    }
    dataSize_ += size;
    written = size;
    return 0;
}

bool MmioWaveFile::PatchU32(uint32_t offset, uint32_t value) {
    return file_.Seek(Stream::kFromBegin, static_cast<int32_t>(offset)) && WriteU32(file_, value);
}

int32_t MmioWaveFile::FinishWriting() {
    if ((dataSize_ & 1) != 0 && file_.Write("", 1) != 1) {
        return -1;
    }
    const uint32_t end = file_.Tell();
    if (!PatchU32(dataStart_ - 4, dataSize_)) {
        return -2;
    }
    if (!PatchU32(4, end - 8)) {
        return -3;
    }
    if (!PatchU32(factOffset_, 0)) {
        return -4;
    }
    return 0;
}

int32_t MmioWaveFile::Close() {
    int32_t result = 0;
    if (file_.IsOpen() && mode_ == kWrite && dataStart_ != 0) {
        result = FinishWriting();
    }
    file_.Close();
    format_.reset();
    mode_ = kRead;
    riffEnd_ = dataStart_ = dataSize_ = dataLeft_ = factOffset_ = 0;
    return result;
}

}  // namespace quill
