#pragma once
// The single-instance lock of the program: an exclusive lock on a lock file, held while the object lives.
// The system drops it when the process ends, however it ends, so a crashed instance never blocks the next.
// The thread that starts the program.
#include <string>

namespace platform {

class InstanceLock {
public:
    enum class Result { Acquired, AlreadyRunning, Failed };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock on the file at path (created when missing; never through a symbolic link). AlreadyRunning
    // when another holder has it, Failed when the file cannot be opened.
    Result Acquire(const std::string& path);
    void Release();

    // The lock file of a product name: in XDG_RUNTIME_DIR, else in a folder of the user's own under the
    // temporary folder ("<tmp>/<name>-<uid>", mode 0700), which another user can neither make nor enter. When
    // that folder belongs to someone else or others may enter it, the lock goes into the home folder.
    static std::string DefaultPath(const std::string& name, const std::string& temporaryFolder = "/tmp");

private:
    int fd_ = -1;
};

}  // namespace platform
