#include "platform/system/Thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <system_error>
#include <utility>

namespace platform {
namespace {

std::atomic<ThreadId> nextThreadId{1};
// Set on every thread a Thread starts, before its body runs.
thread_local bool startedThread = false;

// Linux nice values standing for the Windows priority classes within a process.
int NiceValue(ThreadPriority priority) {
    switch (priority) {
        case ThreadPriority::Idle:
            return 19;
        case ThreadPriority::Lowest:
            return 10;
        case ThreadPriority::BelowNormal:
            return 5;
        case ThreadPriority::Normal:
            return 0;
        case ThreadPriority::AboveNormal:
            return -5;
        case ThreadPriority::Highest:
            return -10;
        case ThreadPriority::TimeCritical:
            return -20;
    }
    return 0;
}

void ApplyPriority(ThreadPriority priority) {
    if (priority == ThreadPriority::Normal) {
        return;
    }
    // Refused without privileges for a raise; the thread then simply runs at normal priority.
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), NiceValue(priority));
}

}  // namespace

ThreadId CurrentThreadId() {
    thread_local const ThreadId id = nextThreadId.fetch_add(1);
    return id;
}

bool IsStartedThread() {
    return startedThread;
}

Thread::~Thread() {
    Join();
}

bool Thread::Start(std::function<void()> body, ThreadPriority priority) {
    if (thread_.joinable() || !body) {
        return false;
    }
    finished_.Reset();
    try {
        thread_ = std::thread([this, body = std::move(body), priority] {
            startedThread = true;
            ApplyPriority(priority);
            body();
            finished_.Set();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

bool Thread::Join(uint32_t timeoutMs) {
    if (!thread_.joinable()) {
        return true;
    }
    if (thread_.get_id() == std::this_thread::get_id() || !finished_.Wait(timeoutMs)) {
        return false;
    }
    thread_.join();
    return true;
}

bool Thread::Joinable() const {
    return thread_.joinable();
}

}  // namespace platform
