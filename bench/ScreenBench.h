#pragma once
// What the screens' frame benchmarks share: a headless online App (recording device as a null device, no
// audio, the headless window and browser) over a fresh working folder holding the build's default data, with
// the start log written there and the message boxes headless. The benchmark's body gets the App once it is
// initialised and has its renderer, its shared popups and a 1024 x 768 screen, and the recording setup (whose
// call log a body switches off before it measures).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "QuillLib/core/LogSystem.h"
#include "client/app/App.h"
#include "client/app/AppPlatform.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/ScenePopups.h"
#include "platform/audio/AudioDevice.h"
#include "platform/browser/headless/HeadlessBrowser.h"
#include "platform/gfx/headless/RecordingSetup.h"
#include "platform/gfx/headless/RecordingSystem.h"
#include "platform/system/CodePage.h"
#include "platform/ui/HeadlessMessageBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/headless/HeadlessWindowBackend.h"

namespace kvbench {

// A fresh working folder holding the build's default data, current while it lives.
struct DataFolder {
    explicit DataFolder(const std::string& name) {
        previous = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / ("kestrovan-" + name + "-XXXXXX")).string();
        path = mkdtemp(pattern.data());
        std::filesystem::copy(KV_DATA_FOLDER, path / "data", std::filesystem::copy_options::recursive);
        std::filesystem::current_path(path);
    }
    ~DataFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
    std::filesystem::path previous;
    std::filesystem::path path;
};

inline kestrovan::AppPlatform HeadlessPlatform(const std::shared_ptr<platform::gfx::RecordingSetup>& graphics) {
    kestrovan::AppPlatform platform;
    platform.windowBackend = [] { return std::make_unique<platform::HeadlessWindowBackend>(); };
    platform.graphicsSystem = [graphics] { return std::make_unique<platform::gfx::RecordingSystem>(graphics); };
    platform.audioDevice = [](std::string&) -> std::unique_ptr<platform::AudioDevice> { return nullptr; };
    platform.browser = [] { return std::make_unique<platform::HeadlessBrowser>(); };
    return platform;
}

// Runs body(app, graphics) on the headless online App; the benchmark is skipped when no renderer comes up.
template <class Body>
void WithScreenApp(benchmark::State& state, const std::string& name, Body body) {
    DataFolder folder(name);
    quill::TheLog().SetDirectory(platform::Utf8ToUtf16(folder.path.string()));
    quill::TheLog().Start(u"StartLog", 100, true);
    platform::HeadlessMessageBox boxes;
    platform::SetMessageBoxBackend(&boxes);
    kestrovan::RegisterItemModels();
    auto graphics = std::make_shared<platform::gfx::RecordingSetup>();
    graphics->adapter.modes[platform::gfx::Format::X8R8G8B8] = {{1024, 768, 60, platform::gfx::Format::X8R8G8B8}};
    {
        kestrovan::App app(kestrovan::AppMode::Online, {u"kestrovan", u"launcher"}, HeadlessPlatform(graphics));
        app.LoadConfiguration();
        app.Initialize();
        if (!app.InitRenderer()) {
            state.SkipWithError("no renderer");
        } else {
            app.Scenes().SetPopups(kestrovan::CreateScenePopups(app));
            app.SetScreenSize({1024, 768});
            body(app, *graphics);
        }
        app.Shutdown();
    }
    platform::SetMessageBoxBackend(nullptr);
    quill::TheLog().Stop();
}

}  // namespace kvbench
