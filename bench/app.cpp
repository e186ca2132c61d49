// The application shell on headless backends: the start-up from the App's construction to the first
// presented frame, and the frame step's own cost with an empty scene (the recording device as a null
// device, so what is measured is the loop, the locks and the scene manager), and with a screenshot (F12) taken
// from the 1024 x 768 frame.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "QuillLib/core/LogSystem.h"
#include "client/app/App.h"
#include "client/app/AppPlatform.h"
#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "platform/audio/AudioDevice.h"
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

// Message boxes answered at once while it lives.
struct HeadlessBoxes {
    HeadlessBoxes() { platform::SetMessageBoxBackend(&boxes); }
    ~HeadlessBoxes() { platform::SetMessageBoxBackend(nullptr); }
    platform::HeadlessMessageBox boxes;
};

void StartupToFirstPresentedFrame(benchmark::State& state) {
    BenchLog log;
    HeadlessBoxes boxes;
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
}
BENCHMARK(StartupToFirstPresentedFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// An offline App in a working folder of its own, run to its last screen, whose frames are presented; the
// recording of calls stops there.
class AppAtLastScreen {
public:
    AppAtLastScreen()
        : graphics_(Adapter()), app_(AppMode::Offline, {u"kestrovan", u"offline"}, HeadlessPlatform(graphics_)) {
        app_.LoadConfiguration();
        app_.StartGameThread();
        app_.Initialize();
        app_.StartMainLoop();
        while (app_.Scenes().Current() == nullptr || app_.Scenes().Current()->GetSceneId() != SceneId::Alone ||
               !app_.Scenes().Current()->IsReady()) {
            app_.FrameStep();
        }
        const size_t presentsBefore = graphics_->log.Count("Present(");
        app_.FrameStep();
        presented_ = graphics_->log.Count("Present(") == presentsBefore + 1;
        graphics_->log.SetEnabled(false);
    }
    ~AppAtLastScreen() { app_.Shutdown(); }

    App& Get() { return app_; }
    bool Presented() const { return presented_; }

private:
    HeadlessBoxes boxes_;
    WorkingFolder folder_;
    std::shared_ptr<platform::gfx::RecordingSetup> graphics_;
    App app_;
    bool presented_ = false;
};

void FrameStepWithEmptyScene(benchmark::State& state) {
    BenchLog log;
    AppAtLastScreen app;
    if (!app.Presented()) state.SkipWithError("the frame was not presented");
    for (auto _ : state) benchmark::DoNotOptimize(app.Get().FrameStep());
}
BENCHMARK(FrameStepWithEmptyScene)->Unit(benchmark::kMicrosecond);

// The frame that takes a screenshot; between two, the picture is written (timing paused), so that each frame
// finds the writer idle. The program finds its desktop folder as it starts.
void FrameStepTakingAScreenshot(benchmark::State& state) {
    BenchLog log;
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-bench-desktop-XXXXXX").string();
    const std::filesystem::path desktop = mkdtemp(pattern.data());
    setenv("XDG_DESKTOP_DIR", desktop.c_str(), 1);
    AppAtLastScreen app;
    unsetenv("XDG_DESKTOP_DIR");
    const auto pictures = [&] {
        return std::count_if(std::filesystem::directory_iterator(desktop), std::filesystem::directory_iterator(),
                             [](const auto& entry) { return entry.path().extension() == ".jpg"; });
    };
    for (auto _ : state) {
        const auto before = pictures();
        app.Get().SaveScreenshotNow();
        benchmark::DoNotOptimize(app.Get().FrameStep());
        state.PauseTiming();
        for (int wait = 0; wait < 10000 && pictures() == before; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (pictures() == before) {
            state.SkipWithError("the screenshot was not written");
            break;
        }
        state.ResumeTiming();
    }
    std::error_code error;
    std::filesystem::remove_all(desktop, error);
}
BENCHMARK(FrameStepTakingAScreenshot)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
