#include "client/app/ProgramMain.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <system_error>

#include "QuillLib/core/LogSystem.h"
#include "client/app/App.h"
#include "client/app/AppExitCode.h"
#include "client/app/CommandLine.h"
#include "client/app/CrashReport.h"
#include "client/app/LoggedMessageBox.h"
#include "platform/system/CodePage.h"
#include "platform/system/FpuMode.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/posix/CrashHandler.h"
#include "platform/system/posix/InstanceLock.h"
#include "platform/ui/MessageBox.h"

namespace kestrovan {

namespace {

void InstallCrashReporting(const std::vector<std::string>& helper) {
    if (helper.empty()) return;
    std::error_code error;
    const std::filesystem::path dump = std::filesystem::current_path(error) / kDumpFileName;
    platform::InstallCrashHandler({dump.string(), helper, &FormatCrashText});
}

void SetLocales() {
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) quill::TheLog().Log(u"Failed to setlocale: LC_CTYPE\n");
    if (std::setlocale(LC_NUMERIC, "C") == nullptr) quill::TheLog().Log(u"Failed to setlocale: LC_NUMERIC\n");
}

int RunApp(AppMode mode, const std::vector<quill::WString>& words, AppPlatform platform) {
    App app(mode, words, std::move(platform));
    app.LoadConfiguration();
    app.StartGameThread();
    if (!app.Initialize()) {
        std::fputs("Kestrovan cannot open its window: no display could be opened (is DISPLAY set?).\n", stderr);
        app.Shutdown();
        return app.ExitCode();
    }
    app.Run();
    app.Shutdown();
    return app.ExitCode();
}

// Runs the App with every message box logged, shown by the given backend (or the one installed before).
int RunWithLoggedBoxes(platform::MessageBoxBackend* shown, const std::function<int()>& run) {
    LoggedMessageBox logged(shown != nullptr ? *shown : platform::CurrentMessageBoxBackend());
    platform::MessageBoxBackend* previous = platform::SetMessageBoxBackend(&logged);
    const int code = run();
    platform::SetMessageBoxBackend(previous);
    return code;
}

}  // namespace

int RunProgram(const std::vector<quill::WString>& words, ProgramSetup setup) {
    const StartChoice choice = ChooseStart(words);
    if (choice.openLauncher) {
        if (setup.openLauncher && setup.openLauncher()) return AppExitCode::Ok;
        std::fputs("Kestrovan is started by its launcher. To play without it, start it as: kestrovan offline\n",
                   stderr);
        return AppExitCode::NoLauncher;
    }
    // The instance is checked before the log opens: opening replaces StartLog.log, which belongs to the
    // instance that runs. Until then the console alone hears of a failure.
    platform::InstanceLock lock;
    switch (lock.Acquire(setup.lockPath)) {
        case platform::InstanceLock::Result::Failed:
            std::fprintf(stderr, "ERROR: the instance lock %s cannot be made\n", setup.lockPath.c_str());
            return AppExitCode::InstanceLockFailed;
        case platform::InstanceLock::Result::AlreadyRunning:
            // The desktop lets no program bring another program's window to the front.
            std::fputs("Kestrovan is already running\n", stderr);
            return AppExitCode::Ok;
        case platform::InstanceLock::Result::Acquired:
            break;
    }
    quill::LogSystem& log = quill::TheLog();
    log.SetDirectory(u".");
    log.Start(u"StartLog", 100, true);

    InstallCrashReporting(setup.crashHelper);
    platform::SetThreadFpuMode();
    SetLocales();
    return RunWithLoggedBoxes(setup.messageBoxes, [&] { return RunApp(choice.mode, words, std::move(setup.platform)); });
}

int RunCrashReportIfAsked(platform::MessageBoxBackend* boxes) {
    const char* text = std::getenv(platform::kCrashTextVariable);
    if (text == nullptr) return -1;
    if (boxes != nullptr) platform::SetMessageBoxBackend(boxes);
    const char* dump = std::getenv(platform::kCrashDumpVariable);
    const bool dumpWritten = dump != nullptr && dump[0] == '1';
    return RunCrashReport(platform::Utf8ToUtf16(text), dumpWritten) ? 0 : 1;
}

}  // namespace kestrovan
