#pragma once
// Writes a file that replaces an older version (a package, config.ini, a screenshot) so that no failure
// leaves a damaged or empty file in its place: the bytes go to a new file beside the old one, which takes
// the file's name only once everything has been written, flushed to the disk and closed. Until Commit
// succeeds the old file stays as it was; a writer that ends without Commit removes its new file.
//
//   AtomicFileWriter out(u"config.ini");
//   if (!out.Open() || !WriteSettings(out) || !out.Commit()) { /* the old config.ini is untouched */ }
//
// A name that is a symbolic link replaces the file the link leads to, so the link stays. A name that is no
// regular file (a device such as /dev/stdout, a pipe) cannot be replaced and is written in place; Commit
// then still reports whether every byte got there. One thread uses a writer at a time.
#include <cstdint>
#include <memory>
#include <string>

#include "QuillLib/core/FileStream.h"
#include "QuillLib/core/Stream.h"
#include "QuillLib/core/WString.h"

namespace quill {

class AtomicFileWriter : public Stream {
public:
    // name: a Windows path, as FileStream takes it. Opens nothing.
    explicit AtomicFileWriter(WString name);
    // Discards what was not committed.
    ~AtomicFileWriter() override;

    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the new file beside the old one. False when it cannot be created (or a write is already
    // under way); nothing has changed then.
    bool Open();
    // Puts the written bytes in the file's place. False when any write failed or the bytes could not be
    // flushed, closed or renamed: the old file is then as it was and the new one gone. The writer is closed
    // afterwards either way.
    bool Commit();
    // Drops what was written; the old file stays. Nothing to do when closed.
    void Discard();

    bool IsOpen() const { return file_ != nullptr; }
    const WString& Name() const { return name_; }

    uint32_t Read(void* buffer, uint32_t count) override;
    uint32_t Write(const void* buffer, uint32_t count) override;
    uint32_t Tell() override;
    bool Seek(uint32_t origin, int32_t offset) override;
    uint32_t Size() override;

private:
    WString name_;
    std::string target_;     // the native path that Commit replaces
    std::string temporary_;  // the native path of the new file; empty when the target is written in place
    std::unique_ptr<FileStream> file_;
};

}  // namespace quill
