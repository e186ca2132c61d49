// The entry point of the program: the real backends (SDL window and audio, the desktop's browser) and the
// words of the command line.
#include <memory>

#include "QuillLib/engine/Engine.h"
#include "client/app/App.h"
#include "client/app/ProgramMain.h"
#include "client/scenes/SceneFactory.h"
#include "platform/audio/sdl/SdlAudioDevice.h"
#include "platform/browser/xdg/XdgBrowser.h"
#include "platform/gfx/gl/GlSystem.h"
#include "platform/system/CodePage.h"
#include "platform/system/Console.h"
#include "platform/system/posix/InstanceLock.h"
#include "platform/system/posix/ProgramFile.h"
#include "platform/system/posix/ShellOpen.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/sdl/SdlMessageBox.h"
#include "platform/window/sdl/SdlWindowAccess.h"
#include "platform/window/sdl/SdlWindowBackend.h"

namespace {

// The graphics adapter: OpenGL in the main window, which exists by the time the engine starts its device.
// Null when no context can be made: the device check then reports the missing runtime.
std::unique_ptr<platform::gfx::GraphicsSystem> ProgramGraphicsSystem() {
    kestrovan::App* app = kestrovan::App::Current();
    if (app == nullptr) return nullptr;
    return platform::gfx::GlSystem::Create(platform::gfx::GlWindow{platform::SdlWindowOf(app->MainWindow())});
}

}  // namespace

int main(int argc, char** argv) {
    // Boxes show on the desktop (loading errors, the crash report), from the first one on.
    platform::SdlMessageBox desktopBoxes;
    platform::MessageBoxBackend* previousBoxes = platform::SetMessageBoxBackend(&desktopBoxes);
    if (const int reported = kestrovan::RunCrashReportIfAsked(); reported >= 0) {
        platform::SetMessageBoxBackend(previousBoxes);
        return reported;
    }

    // The terminal a program with a window was started from gets only its warnings and errors.
    platform::SetRoutineConsoleOutput(false);
    std::vector<quill::WString> words;
    for (int i = 0; i < argc; ++i) words.push_back(platform::Utf8ToUtf16(argv[i]));

    kestrovan::RegisterItemModels();
    kestrovan::ProgramSetup setup;
    setup.platform.windowBackend = [] { return std::make_unique<platform::SdlWindowBackend>(); };
    setup.platform.graphicsSystem = &ProgramGraphicsSystem;
    setup.platform.audioDevice = [](std::string& error) { return platform::SdlAudioDevice::Open(error); };
    setup.platform.browser = [] { return std::make_unique<platform::XdgBrowser>(); };
    setup.platform.createScene = &kestrovan::CreateScene;
    setup.platform.createPopups = &kestrovan::CreateScenePopups;
    setup.platform.cueStatistics = &kestrovan::FindCueStatistics;
    setup.lockPath = platform::InstanceLock::DefaultPath("Kestrovan");
    setup.openLauncher = [] { return platform::ShellOpen("Kestrovan.exe", "."); };
    setup.crashHelper = {platform::ProgramFile(argv[0])};
    setup.messageBoxes = &desktopBoxes;
    const int code = kestrovan::RunProgram(words, std::move(setup));
    platform::SetMessageBoxBackend(previousBoxes);
    return code;
}
