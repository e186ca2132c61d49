#include "QuillLib/core/FileStream.h"

#include <utility>

#include "platform/system/FileReplace.h"
#include "platform/system/Path.h"

namespace quill {
namespace {

int SeekWhence(uint32_t origin) {
    switch (origin) {
        case Stream::kFromBegin:
            return SEEK_SET;
        case Stream::kFromCurrent:
            return SEEK_CUR;
        case Stream::kFromEnd:
            return SEEK_END;
        default:
            return -1;
    }
}

bool FitsStreamPosition(long position) {
    return position >= 0 && static_cast<unsigned long>(position) < Stream::kCannotTell;
}

}  // namespace

FileStream::FileStream(WString name) : name_(std::move(name)) {}

FileStream::~FileStream() {
    Close();
}

bool FileStream::Open(int mode) {
    if (file_ != nullptr || name_.empty() || (mode != kRead && mode != kWrite)) {
        return false;
    }
    // Read: regular files only, so that a FIFO under a data file's name never freezes the reader.
    file_ = mode == kRead ? platform::OpenRegularFile(name_) : platform::OpenFile(name_, "wb");
    return file_ != nullptr;
}

bool FileStream::Close() {
    if (file_ == nullptr) {
        return true;
    }
    // fclose flushes; an earlier failed write leaves the error flag set although the close itself succeeds.
    const bool written = std::ferror(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return written && closed;
}

bool FileStream::Flush() {
    return file_ != nullptr && std::fflush(file_) == 0 && std::ferror(file_) == 0;
}

bool FileStream::SyncToDisk() {
    return Flush() && platform::SyncFile(file_);
}

uint32_t FileStream::Read(void* buffer, uint32_t count) {
    if (file_ == nullptr || count == 0) {
        return 0;
    }
    return std::fread(buffer, count, 1, file_) == 1 ? count : 0;
}

uint32_t FileStream::Write(const void* buffer, uint32_t count) {
    if (file_ == nullptr || count == 0) {
        return 0;
    }
    return std::fwrite(buffer, count, 1, file_) == 1 ? count : 0;
}

uint32_t FileStream::Tell() {
    if (file_ == nullptr) {
        return kCannotTell;
    }
    long position = std::ftell(file_);
    return FitsStreamPosition(position) ? static_cast<uint32_t>(position) : kCannotTell;
}

bool FileStream::Seek(uint32_t origin, int32_t offset) {
    int whence = SeekWhence(origin);
    if (file_ == nullptr || whence < 0) {
        return false;
    }
    return std::fseek(file_, offset, whence) == 0;
}

uint32_t FileStream::Size() {
    if (file_ != nullptr) {
        return MeasureOpenFile(file_);
    }
    if (name_.empty()) {
        return 0;
    }
    FILE* file = platform::OpenFile(name_, "rb");
    if (file == nullptr) {
        return 0;
    }
    uint32_t size = MeasureOpenFile(file);
    std::fclose(file);
    return size;
}

// Seeks to the end for the length and back to where the file was.
uint32_t FileStream::MeasureOpenFile(FILE* file) {
    long position = std::ftell(file);
    if (position < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    long end = std::ftell(file);
    std::fseek(file, position, SEEK_SET);
    return FitsStreamPosition(end) ? static_cast<uint32_t>(end) : 0;
}

}  // namespace quill
