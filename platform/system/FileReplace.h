#pragma once
// The file-system steps of replacing a file without ever leaving a damaged one in its place: a new file is
// written beside the old one, flushed to the disk, and renamed over it. quill::AtomicFileWriter drives them.
// Paths here are native (UTF-8, "/" separators), as NativePath gives them.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// The file that writing to path would replace: path itself, or the file its symbolic links lead to, so that
// a link keeps pointing at the new version. replaceable is false for anything but a regular file or a name
// that does not exist yet (a device such as /dev/null, a pipe, a folder): such targets are written in place.
struct ReplaceTarget {
    std::string path;
    bool replaceable = false;
};
ReplaceTarget ResolveReplaceTarget(const std::string& path);

// Creates a new empty file with a fresh name in target's folder, readable and writable as target is (or as
// a new file would be). Returns its path, or an empty string (errno set) when none can be created.
std::string CreateFileBeside(const std::string& target);

// Hands what the C library buffers to the system and waits until the system has it on the disk.
bool SyncFile(std::FILE* file);

// Gives temporary the name target (replacing what had it) and waits until the folder's change is on the
// disk. False, changing nothing, when the rename fails.
bool RenameOver(const std::string& temporary, const std::string& target);

// Removes a file; false when it could not be removed.
bool RemoveFile(const std::string& path);

// Removes what a writer killed between CreateFileBeside and RenameOver left in folder: every regular file
// named "<target>.<eight letters or digits>.tmp" (CreateFileBeside's form) whose target's name passes
// isTarget. Only the one process that writes those targets may call it, while it writes none of them. The
// number of files removed.
size_t RemoveLeftoverTemporaries(const std::string& folder, const std::function<bool(std::string_view)>& isTarget);

// The steps above for a whole file in memory: writes bytes beside path's target, syncs, closes and renames
// over it (a device or pipe is written in place). False, errno set and any older file untouched, when a
// step fails. For writers below the engine, which has AtomicFileWriter for streams.
bool ReplaceFileContents(const std::string& path, std::span<const std::byte> bytes);

}  // namespace platform
