#pragma once
// The program's console: standard output, UTF-8. Whole texts are written at once, so lines of different
// threads do not interleave. Tests capture the output with a sink.
#include <functional>
#include <string_view>

namespace platform {

void ConsoleWrite(std::string_view utf8);
// Routine text (tables and notes, no warning or error): written like ConsoleWrite unless routine output is
// off. A program with a window turns it off, as a Windows program with a window has no console to show it.
void ConsoleWriteRoutine(std::string_view utf8);
void SetRoutineConsoleOutput(bool on);

// Installs a function that receives every text instead of standard output; an empty function restores it.
void SetConsoleSink(std::function<void(std::string_view)> sink);

}  // namespace platform
