#pragma once
// The program's life from its words to its exit code: the start log, the mode, the launcher hand-over, the
// crash handler, the single instance, and the App from configuration to shutdown. The entry point calls it
// with the real backends; tests call it with headless ones. The thread that starts the program.
#include <functional>
#include <string>
#include <vector>

#include "QuillLib/core/WString.h"
#include "client/app/AppPlatform.h"
#include "platform/ui/MessageBoxBackend.h"

namespace platform {
class MessageBoxBackend;
}

namespace kestrovan {

struct ProgramSetup {
    AppPlatform platform;
    std::string lockPath;
    // Opens the launcher "Kestrovan.exe" of the working folder; false when there is none.
    std::function<bool()> openLauncher;
    // The report helper the crash handler starts; empty: no crash handler is installed.
    std::vector<std::string> crashHelper;
    // The desktop's message boxes (kept by the caller); null: the boxes installed already. Either way every box
    // of the run is also logged.
    platform::MessageBoxBackend* messageBoxes = nullptr;
};

// words: the program's words, word 0 the program itself. Returns the exit code.
int RunProgram(const std::vector<quill::WString>& words, ProgramSetup setup);

// The report helper's side, when the crash handler started this program to report a crash; -1 otherwise.
// boxes, when given, shows the report's box (the desktop's, in the program).
int RunCrashReportIfAsked(platform::MessageBoxBackend* boxes = nullptr);

}  // namespace kestrovan
