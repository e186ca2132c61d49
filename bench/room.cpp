// The game room's work. Reported per iteration:
// - chat_layout: the eight lines of the chat box laid out from a full history of 200 lines (the room does
//   it every tenth update and for every line written);
// - chat_add: one more line written into a full history and the view laid out again;
// - room_frame: one frame of the game room on the default data: the game thread's update (table, turn
//   clock, game clock, chat) and the main thread's render (the table's passes on the room's stage, the replay
//   view, the HUD and the widgets), through the recording device as a null device.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/Engine.h"
#include "client/app/App.h"
#include "client/app/SceneId.h"
#include "client/scenes/SceneFactory.h"
#include "client/scenes/common/ScenePopups.h"
#include "client/scenes/room/RoomChatLog.h"
#include "client/scenes/room/SceneRoomGame.h"
#include "platform/browser/headless/HeadlessBrowser.h"
#include "platform/gfx/headless/RecordingSetup.h"
#include "platform/gfx/headless/RecordingSystem.h"
#include "platform/system/CodePage.h"
#include "platform/ui/HeadlessMessageBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/headless/HeadlessWindowBackend.h"

namespace {

using namespace kestrovan;

RoomChatLog FullLog() {
    RoomChatLog log;
    for (uint32_t n = 0; n < RoomChatLog::kCapacity; ++n) {
        log.Add(u"Player : a line of the room's chat, as long as lines usually are", 0xFF00FF00, n * 100);
    }
    return log;
}

void BM_chat_layout(benchmark::State& state) {
    const RoomChatLog log = FullLog();
    uint32_t now = 30000;
    for (auto _ : state) benchmark::DoNotOptimize(log.Layout(now += 10));
}
BENCHMARK(BM_chat_layout);

void BM_chat_add(benchmark::State& state) {
    RoomChatLog log = FullLog();
    uint32_t now = 30000;
    for (auto _ : state) {
        log.Add(u"Player : another line", 0xFFFFFFFF, now += 10);
        benchmark::DoNotOptimize(log.Layout(now));
    }
}
BENCHMARK(BM_chat_add);

// A fresh working folder holding the build's default data, current while it lives.
struct DataFolder {
    DataFolder() {
        previous = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrovan-room-XXXXXX").string();
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

AppPlatform HeadlessPlatform(const std::shared_ptr<platform::gfx::RecordingSetup>& graphics) {
    AppPlatform platform;
    platform.windowBackend = [] { return std::make_unique<platform::HeadlessWindowBackend>(); };
    platform.graphicsSystem = [graphics] { return std::make_unique<platform::gfx::RecordingSystem>(graphics); };
    platform.audioDevice = [](std::string&) -> std::unique_ptr<platform::AudioDevice> { return nullptr; };
    platform.browser = [] { return std::make_unique<platform::HeadlessBrowser>(); };
    return platform;
}

void BM_room_frame(benchmark::State& state) {
    DataFolder folder;
    quill::TheLog().SetDirectory(platform::Utf8ToUtf16(folder.path.string()));
    quill::TheLog().Start(u"StartLog", 100, true);
    platform::HeadlessMessageBox boxes;
    platform::SetMessageBoxBackend(&boxes);
    RegisterItemModels();
    auto graphics = std::make_shared<platform::gfx::RecordingSetup>();
    graphics->adapter.modes[platform::gfx::Format::X8R8G8B8] = {{1024, 768, 60, platform::gfx::Format::X8R8G8B8}};
    {
        App app(AppMode::Online, {u"kestrovan", u"launcher"}, HeadlessPlatform(graphics));
        app.LoadConfiguration();
        app.Initialize();
        if (!app.InitRenderer()) {
            state.SkipWithError("no renderer");
        } else {
            app.Scenes().SetPopups(CreateScenePopups(app));
            app.SetScreenSize({1024, 768});
            SceneRoomGame room(app);
            room.Init();
            if (room.LoadResources(app.GetResourceManager(), app.GetDevice()) != 0) state.SkipWithError("no room data");
            room.Activate();
            for (int i = 0; i < 40; ++i) room.AddChatLine(u"Player : a line of the room's chat", 0xFF00FF00);
            room.SetGameRunning(true);
            room.SetLocalSeat(1);
            room.BeginTurn(1, 0);
            graphics->log.SetEnabled(false);
            uint32_t now = 0;
            for (auto _ : state) {
                now += 16;
                room.Update(now, static_cast<int64_t>(now) * 10);
                room.Render(app.GetDevice(), true);
            }
            room.OnLeave(app.GetResourceManager(), app.GetEngine()->GetRenderSceneManager());
        }
        app.Shutdown();
    }
    platform::SetMessageBoxBackend(nullptr);
    quill::TheLog().Stop();
}
BENCHMARK(BM_room_frame)->Unit(benchmark::kMicrosecond);

}  // namespace
