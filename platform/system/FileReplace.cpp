#include "platform/system/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr int kCreateTries = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask, as for any new file

std::string RandomSuffix() {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, sizeof kDigits - 2);
    std::string suffix(8, '0');
    for (char& c : suffix) {
        c = kDigits[pick(generator)];
    }
    return suffix;
}

// The folder holding path, opened for a sync of its entries.
int OpenFolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

}  // namespace

ReplaceTarget ResolveReplaceTarget(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        // A dangling link is replaced where it leads; a new name is created as it stands.
        const fs::path resolved = fs::weakly_canonical(path, error);
        return {error ? path : resolved.string(), true};
    }
    if (error || status.type() != fs::file_type::regular) {
        return {path, false};
    }
    const fs::path resolved = fs::canonical(path, error);
    return {error ? path : resolved.string(), true};
}

std::string CreateFileBeside(const std::string& target) {
    struct stat existing {};
    const bool hasMode = stat(target.c_str(), &existing) == 0;
    for (int attempt = 0; attempt < kCreateTries; ++attempt) {
        std::string candidate = target + "." + RandomSuffix() + ".tmp";
        const int descriptor = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        if (hasMode) {
            (void)fchmod(descriptor, existing.st_mode & 07777);
        }
        close(descriptor);
        return candidate;
    }
    errno = EEXIST;
    return {};
}

bool SyncFile(std::FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool RenameOver(const std::string& temporary, const std::string& target) {
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        return false;
    }
    // The rename is done; a folder that cannot be synced (some file systems refuse) does not undo it.
    const int folder = OpenFolderOf(target);
    if (folder >= 0) {
        (void)fsync(folder);
        close(folder);
    }
    return true;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

namespace {

// The target a temporary of CreateFileBeside's form stands for ("config.ini" of "config.ini.k3j9x0qa.tmp");
// empty for any other name.
std::string_view TargetOfTemporary(std::string_view name) {
    constexpr std::string_view kSuffix = ".tmp";
    constexpr size_t kRandom = 8;
    if (name.size() <= kSuffix.size() + kRandom + 1 || !name.ends_with(kSuffix))
        return {};
    const std::string_view random = name.substr(name.size() - kSuffix.size() - kRandom, kRandom);
    const bool letters = std::all_of(random.begin(), random.end(),
                                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
    const size_t dot = name.size() - kSuffix.size() - kRandom - 1;
    if (!letters || name[dot] != '.')
        return {};
    return name.substr(0, dot);
}

}  // namespace

size_t RemoveLeftoverTemporaries(const std::string& folder, const std::function<bool(std::string_view)>& isTarget) {
    std::error_code error;
    size_t removed = 0;
    for (fs::directory_iterator entry(folder.empty() ? "." : folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const std::string_view target = TargetOfTemporary(name);
        std::error_code status;
        if (!target.empty() && isTarget(target) && entry->is_regular_file(status) && RemoveFile(entry->path()))
            ++removed;
    }
    return removed;
}

bool ReplaceFileContents(const std::string& path, std::span<const std::byte> bytes) {
    const ReplaceTarget target = ResolveReplaceTarget(path);
    const std::string written = target.replaceable ? CreateFileBeside(target.path) : target.path;
    if (written.empty()) {
        return false;
    }
    std::FILE* file = std::fopen(written.c_str(), "wb");
    bool complete = file != nullptr && (bytes.empty() || std::fwrite(bytes.data(), bytes.size(), 1, file) == 1);
    if (file != nullptr) {
        // A device or a pipe has no disk to sync with: its bytes only need to leave the buffer.
        complete = (target.replaceable ? SyncFile(file) : std::fflush(file) == 0) && complete;
        complete = std::fclose(file) == 0 && complete;
    }
    if (!target.replaceable) {
        return complete;
    }
    if (!complete || !RenameOver(written, target.path)) {
        const int error = errno;
        RemoveFile(written);
        errno = error;
        return false;
    }
    return true;
}

}  // namespace platform
