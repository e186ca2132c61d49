#pragma once
// The program's console: standard output, UTF-8. Whole texts are written at once, so lines of different
// threads do not interleave. Tests capture the output with a sink.
#include <functional>
#include <string_view>

namespace platform {

void ConsoleWrite(std::string_view utf8);

// Installs a function that receives every text instead of standard output; an empty function restores it.
void SetConsoleSink(std::function<void(std::string_view)> sink);

}  // namespace platform
