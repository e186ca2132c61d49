#pragma once
// The file of the running program, for starting a helper copy of it (the crash report). Any thread.
#include <string>

namespace platform {

// The running program's file as the kernel knows it; fallback (the program's first word) when that cannot be read.
std::string ProgramFile(const char* fallback);

}  // namespace platform
