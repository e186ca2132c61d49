// The application shell on headless backends: the start-up from the App's construction to the first
// presented frame, and the frame step's own cost with an empty scene (the recording device as a null
// device, so what is measured is the loop, the locks and the scene manager).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>

#include "QuillLib/core/LogSystem.h"
#include "client/app/App.h"
#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "platform/browser/headless/HeadlessBrowser.h"
#include "platform/gfx/headless/RecordingSetup.h"
#include "platform/gfx/headless/RecordingSystem.h"
#include "platform/system/CodePage.h"
#include "platform/ui/HeadlessMessageBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/headless/HeadlessWindowBackend.h"

namespace {

using namespace kestrovan;

// A fresh working folder for each App, current while it lives.
struct WorkingFolder {
    WorkingFolder() {
        previous = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-bench-XXXXXX").string();
        path = mkdtemp(pattern.data());
        std::filesystem::current_path(path);
    }
    ~WorkingFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
    std::filesystem::path previous;
    std::filesystem::path path;
};

AppPlatform HeadlessPlatform(const std::shared_ptr<platform::gfx::RecordingSetup>& graphics) {
    AppPlatform platform;
    platform.windowBackend = [] { return std::make_unique<platform::HeadlessWindowBackend>(); };
    platform.graphicsSystem = [graphics] { return std::make_unique<platform::gfx::RecordingSystem>(graphics); };
    platform.audioDevice = [](std::string&) -> std::unique_ptr<platform::AudioDevice> { return nullptr; };
    platform.browser = [] { return std::make_unique<platform::HeadlessBrowser>(); };
    platform.createScene = &CreatePlaceholderScene;
    return platform;
}

std::shared_ptr<platform::gfx::RecordingSetup> Adapter() {
    auto setup = std::make_shared<platform::gfx::RecordingSetup>();
    setup->adapter.modes[platform::gfx::Format::X8R8G8B8] = {{1024, 768, 60, platform::gfx::Format::X8R8G8B8}};
    return setup;
}

// The start log goes to a folder of its own for the whole run.
struct BenchLog {
    BenchLog() {
        quill::TheLog().SetDirectory(platform::Utf8ToUtf16(folder.path.string()));
        quill::TheLog().Start(u"StartLog", 100, true);
    }
    ~BenchLog() { quill::TheLog().Stop(); }
    WorkingFolder folder;
};

void StartupToFirstPresentedFrame(benchmark::State& state) {
    BenchLog log;
    platform::HeadlessMessageBox boxes;
    platform::SetMessageBoxBackend(&boxes);
    for (auto _ : state) {
        WorkingFolder folder;
        const auto graphics = Adapter();
        const auto start = std::chrono::steady_clock::now();
        App app(AppMode::Offline, {u"kestrovan", u"offline"}, HeadlessPlatform(graphics));
        app.LoadConfiguration();
        app.StartGameThread();
        app.Initialize();
        app.StartMainLoop();
        while (graphics->log.Count("Present(") == 0) app.FrameStep();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        app.PostQuit();
        app.Shutdown();
    }
    platform::SetMessageBoxBackend(nullptr);
}
BENCHMARK(StartupToFirstPresentedFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void FrameStepWithEmptyScene(benchmark::State& state) {
    BenchLog log;
    platform::HeadlessMessageBox boxes;
    platform::SetMessageBoxBackend(&boxes);
    {
        WorkingFolder folder;
        const auto graphics = Adapter();
        App app(AppMode::Offline, {u"kestrovan", u"offline"}, HeadlessPlatform(graphics));
        app.LoadConfiguration();
        app.StartGameThread();
        app.Initialize();
        app.StartMainLoop();
        // Let the offline road run to its last screen, then stop recording calls.
        while (app.Scenes().Current() == nullptr || app.Scenes().Current()->GetSceneId() != SceneId::Alone ||
               !app.Scenes().Current()->IsReady()) {
            app.FrameStep();
        }
        const size_t presentsBefore = graphics->log.Count("Present(");
        app.FrameStep();
        if (graphics->log.Count("Present(") != presentsBefore + 1) state.SkipWithError("the frame was not presented");
        graphics->log.SetEnabled(false);
        for (auto _ : state) benchmark::DoNotOptimize(app.FrameStep());
        app.Shutdown();
    }
    platform::SetMessageBoxBackend(nullptr);
}
BENCHMARK(FrameStepWithEmptyScene)->Unit(benchmark::kMicrosecond);

}  // namespace
