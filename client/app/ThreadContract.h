#pragma once
// Which of the program's threads is which, and the checks that keep the screens' thread contract (the table
// in Scene.h): an entry of the scene manager runs on the thread it is meant for, and a widget changes only
// while its thread holds the widget-tree lock.
//
// The program's threads make themselves known: the main thread when its loop starts, the game thread and the
// connection's dispatch thread when they start. Every other thread the program starts (platform::Thread: the
// sockets', the sound's, the log's, a gallery window's exchange) is a worker, which never touches a widget. A
// thread that is none of these is not held to the contract: a test's own thread, unless the test plays one of
// the program's threads with it (the screens' test harness makes it the main thread).
//
// The checks run in builds without NDEBUG (the test trees): a broken contract ends the program at once with
// a line on stderr that names the entry and the thread, so that a wrong path fails an ordinary test and not
// only a run under ThreadSanitizer. In the release build they do nothing.
//
// Threads: any thread may call every member; the registered ids are atomic.
#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/system/Thread.h"

namespace quill {
class CriticalSectionLock;
}

namespace kestrovan {

enum class ProgramThread : uint8_t { Main, Game, Dispatch, Worker, Other };

// The thread's name in failure lines: "main", "game", "dispatch", "worker" or "other".
const char* ProgramThreadName(ProgramThread thread);

class ThreadContract {
public:
#ifdef NDEBUG
    static constexpr bool kChecked = false;
#else
    static constexpr bool kChecked = true;
#endif
    // Receives the failure line; the default writes it to stderr and aborts.
    using FailureHandler = std::function<void(const std::string& line)>;

    explicit ThreadContract(quill::CriticalSectionLock& widgetTreeLock);
    ThreadContract(const ThreadContract&) = delete;
    ThreadContract& operator=(const ThreadContract&) = delete;

    // The calling thread becomes the program's thread of that kind (Worker and Other are refused: they are
    // what a thread is by how it was started), or stops being it.
    void Register(ProgramThread thread);
    void Unregister(ProgramThread thread);
    ProgramThread Current() const;

    // The calling thread must be one of allowed or a thread that is none of the program's.
    void ExpectThread(std::initializer_list<ProgramThread> allowed, const char* entry) const;
    // A program thread (a worker too) must hold the widget-tree lock.
    void ExpectWidgetTreeHeld(const char* entry) const;

    void SetFailureHandler(FailureHandler handler);

private:
    void Fail(const std::string& line) const;

    quill::CriticalSectionLock& widgetTreeLock_;
    std::atomic<platform::ThreadId> main_{platform::kNoThread};
    std::atomic<platform::ThreadId> game_{platform::kNoThread};
    std::atomic<platform::ThreadId> dispatch_{platform::kNoThread};
    FailureHandler onFailure_;
};

}  // namespace kestrovan
