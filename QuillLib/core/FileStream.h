#pragma once
// A Stream over a whole file, through the C library's buffered file functions.
//
// Read and Write are all or nothing: each moves its count as one item and returns the count or 0, so a
// read that runs into the end of the file returns 0 although the file position has moved.
//
// Written bytes wait in the C library's buffer: a full disk may show only when they are flushed, so Flush
// and Close report whether everything written so far has reached the file.
#include <cstdio>

#include "QuillLib/core/Stream.h"
#include "QuillLib/core/WString.h"

namespace quill {

class FileStream : public Stream {
public:
    // Modes of Open.
    static constexpr int kRead = 0;   // "rb": untranslated bytes
    static constexpr int kWrite = 1;  // "wb": creates or replaces the file

    // Keeps the (Windows) file name; opens nothing.
    explicit FileStream(WString name);
    ~FileStream() override;

    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    // False when a file is already open (it stays open), the name is empty, the mode is neither kRead nor
    // kWrite, or the file cannot be opened.
    bool Open(int mode);
    // Closes the file (nothing to do when closed). False when a write, the flush of the buffered bytes or
    // the close failed: then the file does not hold everything written to it.
    bool Close();
    // Hands the buffered bytes to the system. False when closed, or when this or an earlier write failed.
    bool Flush();
    // Flushes and waits until the system has the file's bytes on the disk. False as Flush, or when the
    // disk does not take them.
    bool SyncToDisk();
    bool IsOpen() const { return file_ != nullptr; }
    const WString& Name() const { return name_; }

    uint32_t Read(void* buffer, uint32_t count) override;
    uint32_t Write(const void* buffer, uint32_t count) override;
    // kCannotTell while closed.
    uint32_t Tell() override;
    // False while closed. Seeking past the end is allowed, as the C library allows it.
    bool Seek(uint32_t origin, int32_t offset) override;
    // The file's length, keeping the position. A closed stream opens the file for this call only.
    // 0 when the length cannot be measured or does not fit 32 bits.
    uint32_t Size() override;

private:
    static uint32_t MeasureOpenFile(FILE* file);

    WString name_;
    FILE* file_ = nullptr;
};

}  // namespace quill
