#include "client/app/ThreadContract.h"

#include <cstdio>
#include <cstdlib>

#include "QuillLib/core/CriticalSectionLock.h"

namespace kestrovan {

const char* ProgramThreadName(ProgramThread thread) {
    switch (thread) {
        case ProgramThread::Main:
            return "main";
        case ProgramThread::Game:
            return "game";
        case ProgramThread::Dispatch:
            return "dispatch";
        case ProgramThread::Worker:
            return "worker";
        case ProgramThread::Other:
            break;
    }
    return "other";
}

ThreadContract::ThreadContract(quill::CriticalSectionLock& widgetTreeLock) : widgetTreeLock_(widgetTreeLock) {}

void ThreadContract::Register(ProgramThread thread) {
    const platform::ThreadId self = platform::CurrentThreadId();
    switch (thread) {
        case ProgramThread::Main:
            main_ = self;
            break;
        case ProgramThread::Game:
            game_ = self;
            break;
        case ProgramThread::Dispatch:
            dispatch_ = self;
            break;
        case ProgramThread::Worker:
        case ProgramThread::Other:
            break;
    }
}

void ThreadContract::Unregister(ProgramThread thread) {
    switch (thread) {
        case ProgramThread::Main:
            main_ = platform::kNoThread;
            break;
        case ProgramThread::Game:
            game_ = platform::kNoThread;
            break;
        case ProgramThread::Dispatch:
            dispatch_ = platform::kNoThread;
            break;
        case ProgramThread::Worker:
        case ProgramThread::Other:
            break;
    }
}

ProgramThread ThreadContract::Current() const {
    const platform::ThreadId self = platform::CurrentThreadId();
    if (self == main_.load()) return ProgramThread::Main;
    if (self == game_.load()) return ProgramThread::Game;
    if (self == dispatch_.load()) return ProgramThread::Dispatch;
    return platform::IsStartedThread() ? ProgramThread::Worker : ProgramThread::Other;
}

void ThreadContract::ExpectThread(std::initializer_list<ProgramThread> allowed, const char* entry) const {
    if constexpr (!kChecked) return;
    const ProgramThread current = Current();
    if (current == ProgramThread::Other) return;
    for (ProgramThread thread : allowed) {
        if (thread == current) return;
    }
    Fail(std::string(entry) + " ran on the " + ProgramThreadName(current) + " thread");
}

void ThreadContract::ExpectWidgetTreeHeld(const char* entry) const {
    if constexpr (!kChecked) return;
    const ProgramThread current = Current();
    if (current == ProgramThread::Other || widgetTreeLock_.Owner() == platform::CurrentThreadId()) return;
    Fail(std::string(entry) + " ran on the " + ProgramThreadName(current) + " thread without the widget-tree lock");
}

void ThreadContract::SetFailureHandler(FailureHandler handler) {
    onFailure_ = std::move(handler);
}

void ThreadContract::Fail(const std::string& line) const {
    if (onFailure_) {
        onFailure_(line);
        return;
    }
    std::fprintf(stderr, "Thread contract broken: %s\n", line.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace kestrovan
