#include "client/app/ProgramMain.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "QuillLib/core/LogSystem.h"
#include "client/app/App.h"
#include "client/app/AppExitCode.h"
#include "client/app/CommandLine.h"
#include "client/app/CrashReport.h"
#include "platform/system/CodePage.h"
#include "platform/system/FpuMode.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/posix/CrashHandler.h"
#include "platform/system/posix/InstanceLock.h"

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

}  // namespace

int RunProgram(const std::vector<quill::WString>& words, ProgramSetup setup) {
    quill::LogSystem& log = quill::TheLog();
    log.SetDirectory(u".");
    log.Start(u"StartLog", 100, true);

    const StartChoice choice = ChooseStart(words);
    if (choice.openLauncher) {
        if (setup.openLauncher && setup.openLauncher()) return AppExitCode::Ok;
        std::fputs("Kestrovan is started by its launcher. To play without it, start it as: kestrovan offline\n",
                   stderr);
        return AppExitCode::NoLauncher;
    }
    InstallCrashReporting(setup.crashHelper);
    platform::SetThreadFpuMode();
    SetLocales();

    platform::InstanceLock lock;
    switch (lock.Acquire(setup.lockPath)) {
        case platform::InstanceLock::Result::Failed:
            log.LogError(u"ERROR: the instance lock %hs cannot be made\n", setup.lockPath.c_str());
            return AppExitCode::InstanceLockFailed;
        case platform::InstanceLock::Result::AlreadyRunning:
            // The desktop lets no program bring another program's window to the front.
            log.LogError(u"Kestrovan is already running\n");
            return AppExitCode::Ok;
        case platform::InstanceLock::Result::Acquired:
            break;
    }
    return RunApp(choice.mode, words, std::move(setup.platform));
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
