#pragma once
// The end of the program on an internal-consistency failure: the "BREAK" line is logged and written out
// before the program goes down its crash path, so that the crash report carries it.
#include <functional>

namespace quill {

[[noreturn]] void AssertBreak(const char* file, int line);

// The crash path that AssertBreak takes after logging; without one (or when it returns) the program
// aborts. An empty function restores the default.
void SetBreakHook(std::function<void(const char* file, int line)> hook);

}  // namespace quill
