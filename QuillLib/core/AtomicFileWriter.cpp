#include "QuillLib/core/AtomicFileWriter.h"

#include <utility>

#include "platform/system/CodePage.h"
#include "platform/system/FileReplace.h"
#include "platform/system/Path.h"

namespace quill {

AtomicFileWriter::AtomicFileWriter(WString name) : name_(std::move(name)) {}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::Open() {
    if (file_ != nullptr || name_.empty()) {
        return false;
    }
    const platform::ReplaceTarget target = platform::ResolveReplaceTarget(platform::NativePath(name_));
    target_ = target.path;
    if (target.replaceable) {
        temporary_ = platform::CreateFileBeside(target_);
        if (temporary_.empty()) {
            return false;
        }
    }
    file_ = std::make_unique<FileStream>(platform::Utf8ToUtf16(temporary_.empty() ? target_ : temporary_));
    if (!file_->Open(FileStream::kWrite)) {
        Discard();
        return false;
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (file_ == nullptr) {
        return false;
    }
    // A device or a pipe has no disk to sync with: its bytes only need to leave the buffer.
    const bool flushed = temporary_.empty() ? file_->Flush() : file_->SyncToDisk();
    const bool closed = file_->Close();
    file_.reset();
    if (temporary_.empty()) {
        return flushed && closed;
    }
    if (!flushed || !closed || !platform::RenameOver(temporary_, target_)) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void AtomicFileWriter::Discard() {
    file_.reset();
    if (!temporary_.empty()) {
        platform::RemoveFile(temporary_);
        temporary_.clear();
    }
}

uint32_t AtomicFileWriter::Read(void* buffer, uint32_t count) {
    return file_ ? file_->Read(buffer, count) : 0;
}

uint32_t AtomicFileWriter::Write(const void* buffer, uint32_t count) {
    return file_ ? file_->Write(buffer, count) : 0;
}

uint32_t AtomicFileWriter::Tell() {
    return file_ ? file_->Tell() : kCannotTell;
}

bool AtomicFileWriter::Seek(uint32_t origin, int32_t offset) {
    return file_ && file_->Seek(origin, offset);
}

uint32_t AtomicFileWriter::Size() {
    return file_ ? file_->Size() : 0;
}

}  // namespace quill
