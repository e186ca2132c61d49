#pragma once
// Makes the disk look full to the test process: while a FileSizeLimit lives, no file of the process grows
// past the given size, and a write beyond it fails as it would on a full disk (the signal that would end the
// process is ignored meanwhile).
#include <signal.h>
#include <sys/resource.h>

#include <cstdint>

namespace kvtest {

class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t bytes) {
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    sighandler_t previousHandler_ = SIG_DFL;
};

}  // namespace kvtest
