#pragma once
// Opening a file the way the desktop's shell does: a program file is started, any other file is handed to
// the desktop's opener (xdg-open). Neither is waited for. Any thread.
#include <string>

namespace platform {

// Opens file (a path relative to directory, found without regard to letter case) with directory as the
// working folder of what starts. False when the file does not exist or nothing could be started.
bool ShellOpen(const std::string& file, const std::string& directory);

}  // namespace platform
