#include "platform/system/Console.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <utility>

#include "platform/system/Hook.h"

namespace platform {
namespace {

Hook<void(std::string_view)>& ConsoleSink() {
    static auto* const hook = new Hook<void(std::string_view)>;
    return *hook;
}

std::mutex& OutputMutex() {
    static auto* const mutex = new std::mutex;
    return *mutex;
}

std::atomic<bool>& RoutineOutput() {
    static std::atomic<bool> on{true};
    return on;
}

}  // namespace

void ConsoleWrite(std::string_view utf8) {
    if (auto sink = ConsoleSink().Get()) {
        (*sink)(utf8);
        return;
    }
    std::lock_guard lock(OutputMutex());
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void ConsoleWriteRoutine(std::string_view utf8) {
    if (RoutineOutput().load()) ConsoleWrite(utf8);
}

void SetRoutineConsoleOutput(bool on) {
    RoutineOutput().store(on);
}

void SetConsoleSink(std::function<void(std::string_view)> sink) {
    ConsoleSink().Set(std::move(sink));
}

}  // namespace platform
