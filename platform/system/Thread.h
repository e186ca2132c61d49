#pragma once
// Threads of the program: the game thread, the dispatch and socket threads, the log writer. A Thread
// starts its body at once and is joined by its owner; the destructor joins, so no thread outlives the
// object whose members it uses.
#include <cstdint>
#include <functional>
#include <thread>

#include "platform/system/Event.h"

namespace platform {

// A small number per thread, stable for the thread's life, never kNoThread.
using ThreadId = uint32_t;
constexpr ThreadId kNoThread = 0xFFFFFFFF;

ThreadId CurrentThreadId();

// Whether the calling thread runs the body of a Thread (false on the process's first thread and on threads
// made otherwise, such as a test's own).
bool IsStartedThread();

// Scheduling priorities in the Windows order. Linux raises a thread's priority only for privileged
// processes, so a raise that the system refuses leaves the thread at normal priority.
enum class ThreadPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };

class Thread {
public:
    Thread() = default;
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts body on a new thread. False when this object already runs a thread or none can be created.
    bool Start(std::function<void()> body, ThreadPriority priority = ThreadPriority::Normal);

    // Waits up to timeoutMs for the body to end and then joins the thread. True when no thread is left
    // running: it was joined, or none was started. False on time-out, and when called from the thread itself.
    bool Join(uint32_t timeoutMs = kInfinite);

    bool Joinable() const;

private:
    std::thread thread_;
    Event finished_{true, false};
};

}  // namespace platform
