#include "client/app/App.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/render/RenderSceneManager.h"
#include "QuillLib/resource/ResourceOptions.h"
#include "QuillLib/resource/Texture.h"
#include "client/app/AppEngineFactory.h"
#include "client/app/AppExitCode.h"
#include "client/app/PlaceholderScene.h"
#include "client/app/SceneId.h"
#include "client/render/D3D9RenderDevice.h"
#include "platform/gfx/Texture.h"
#include "client/ui/Tooltip.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Sleep.h"
#include "platform/system/posix/InstanceLock.h"
#include "tests/client/app/AppFixture.h"
#include "tests/support/common/LogCapture.h"
#include "tests/support/gfx/DdsFiles.h"

namespace kestrovan {
namespace {

using Clock = std::chrono::steady_clock;

// An offline screen that records the events it is given.
class RecordingAlone : public PlaceholderScene {
public:
    RecordingAlone() : PlaceholderScene(SceneId::Alone, 0) {}
    int OnMessage(uint32_t id, uint64_t, int64_t) override {
        messages.push_back(id);
        return 1;
    }
    std::vector<uint32_t> messages;
};

// Starts an App as the entry does, up to the end of its main loop or of its failed start.
struct StartedApp {
    explicit StartedApp(test::HeadlessApp& fixture, AppMode mode = AppMode::Offline)
        : app(mode, test::Words({u"offline"}), fixture.Platform()) {}

    // Runs the App until its offline screen is ready, then asks it to quit.
    void RunToOfflineScreenAndQuit() {
        std::thread quitter([this] {
            const auto deadline = Clock::now() + std::chrono::seconds(20);
            while (Clock::now() < deadline) {
                const Scene* scene = app.Scenes().Current();
                if (scene != nullptr && scene->GetSceneId() == SceneId::Alone && scene->IsReady()) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            // The shared load (before the first screen) made the tooltip, with its caption.
            WidgetToolkit* toolkit = WidgetToolkit::Current();
            tooltipMade = toolkit != nullptr && toolkit->GetTooltip().GetCaption() != nullptr &&
                          toolkit->GetTooltip().Width() > 0;
            app.PostEvent(quill::AppEventId::AppQuit, 0, 0, 0);
        });
        Start();
        quitter.join();
    }
    bool tooltipMade = false;
    void Start() {
        app.LoadConfiguration();
        app.StartGameThread();
        ASSERT_TRUE(app.Initialize());
        app.Run();
    }

    App app;
};

class NoRenderScenesFactory : public AppEngineFactory {
public:
    using AppEngineFactory::AppEngineFactory;
    std::unique_ptr<quill::RenderSceneManager> CreateRenderSceneManager(quill::Engine&) override { return nullptr; }
};

TEST(AppStartup, FailuresGiveTheirBoxesLogLinesAndExitCodes) {
    {
        test::HeadlessApp fixture;
        AppPlatform platform = fixture.Platform();
        platform.engineFactory = [graphics = platform.graphicsSystem](platform::WindowHandle window) {
            return std::make_unique<NoRenderScenesFactory>(window, graphics, nullptr);
        };
        App app(AppMode::Offline, test::Words({u"offline"}), std::move(platform));
        app.LoadConfiguration();
        app.StartGameThread();
        ASSERT_TRUE(app.Initialize());
        app.Run();
        EXPECT_EQ(app.ExitCode(), AppExitCode::EngineFailed);
        EXPECT_NE(fixture.StartLog().find("ERROR: the engine did not start"), std::string::npos);
        // The game thread waits for a main loop that never starts: the shutdown releases it at once.
        const auto start = Clock::now();
        app.Shutdown();
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500));
        EXPECT_FALSE(app.GameThreadStarted());
    }
    {
        test::HeadlessApp fixture;
        fixture.graphics->adapter.runtimeVersion.reset();
        StartedApp started(fixture);
        started.Start();
        EXPECT_EQ(started.app.ExitCode(), AppExitCode::DeviceCapsFailed);
        EXPECT_FALSE(started.app.DeviceCreated());
        EXPECT_NE(fixture.StartLog().find("Renderer error: "), std::string::npos);
    }
    {
        test::HeadlessApp fixture;
        for (int i = 0; i < 4; ++i) fixture.graphics->Script("CreateDevice", platform::gfx::Result::NotAvailable);
        StartedApp started(fixture);
        started.Start();
        EXPECT_EQ(started.app.ExitCode(), AppExitCode::DeviceCreationFailed);
        const auto boxes = fixture.boxes.Calls();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, u"Kestrovan");
        EXPECT_EQ(boxes[0].style, 0x2010u);
        const std::string log = fixture.StartLog();
        EXPECT_NE(log.find("Renderer error: "), std::string::npos);
        EXPECT_LT(log.find("Show Window...\n"), log.find("renderer : "));
    }
    {
        test::HeadlessApp fixture;
        fixture.folder.Write("data/UIEn.tpk", "not a package");
        StartedApp started(fixture);
        started.Start();
        EXPECT_EQ(started.app.ExitCode(), AppExitCode::PackLoadFailed);
        const auto boxes = fixture.boxes.Calls();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.starts_with(u"Loading error-1 (file:"));
        EXPECT_NE(boxes[0].text.find(u"pack:UIEn"), quill::WString::npos);
        EXPECT_TRUE(boxes[0].text.ends_with(u")\r\rReinstall Kestrovan after Remove"));
        EXPECT_EQ(fixture.StartLog().find("Init done..."), std::string::npos);
        EXPECT_EQ(boxes[0].style, 0x2010u);
    }
}

TEST(AppStartup, ConfigurationAndDisplayModeCorrectionAreSaved) {
    test::HeadlessApp fixture;
    fixture.graphics->adapter.modes[platform::gfx::Format::X8R8G8B8] = {
        {1280, 1024, 75, platform::gfx::Format::X8R8G8B8}};
    fixture.folder.Write("config.ini", "[Video]\r\nfullscreen=1\r\nwidth=1280\r\nheight=1024\r\nrefreshrate=60\r\n"
                                       "bpp=32\r\ntexturedetail=2\r\n");
    StartedApp started(fixture);
    started.RunToOfflineScreenAndQuit();
    EXPECT_EQ(started.app.ExitCode(), AppExitCode::Ok);
    EXPECT_TRUE(started.tooltipMade);
    // The listed size keeps its place; its unlisted rate is replaced by the listed one and stored.
    const std::string config = fixture.folder.Read("config.ini");
    EXPECT_NE(config.find("refreshrate= 75\r\n"), std::string::npos) << config;
    EXPECT_EQ(started.app.GetScreenSize().width, 1280);
    // The screen's shape reaches the 3D views (height / width); the start log opens with the system report.
    EXPECT_FLOAT_EQ(started.app.GetRenderScenes()->GetAspectRatio(), 0.8f);
    const std::string log = fixture.StartLog();
    EXPECT_LT(log.find("[Display Adapter]"), log.find("InitWindow...")) << log;

    // The texture detail of config.ini reaches the textures the program makes: at 2 a DDS picture drops its
    // two top levels.
    std::vector<std::byte> file = kvtest::DdsHeader(8, 8, 4, static_cast<uint32_t>(platform::gfx::Format::Dxt1), 0);
    for (int i = 0; i < 7; ++i) kvtest::AppendDxt1Block(file);
    fixture.folder.Write("detail.dds", std::string(reinterpret_cast<const char*>(file.data()), file.size()));
    quill::SharedPtr<quill::Texture> texture = started.app.GetDevice()->CreateTexture(u"detail", {});
    ASSERT_TRUE(texture->LoadImageFile(u"detail.dds", 0));
    ASSERT_TRUE(texture->Acquire(false));
    platform::gfx::SurfaceDesc level;
    auto* made = dynamic_cast<platform::gfx::Texture*>(texture->GetDeviceTexture());
    ASSERT_NE(made, nullptr);
    made->GetLevelDesc(0, level);
    EXPECT_EQ(level.width, 2u) << "8 x 8 less two levels";
    texture->Release(false);
    quill::GetResourceOptions().value = 0;
}

TEST(AppStartup, WindowedAndReplayConfiguration) {
    test::HeadlessApp fixture;
    fixture.folder.Write("config.ini", "[Video]\nfullscreen=0\nwidth=0\nrefreshrate=0\nbpp=0\n");
    App app(AppMode::Offline, test::Words({u"offline"}), fixture.Platform());
    app.LoadConfiguration();
    EXPECT_FALSE(app.IsFullScreen());
    EXPECT_EQ(app.GetScreenSize().width, 1024);
    EXPECT_EQ(app.GetSettings().refreshRate, 60u);
    EXPECT_EQ(app.GetSettings().bitsPerPixel, 32u);
    EXPECT_EQ(app.FullScreenSize().width, 1920);  // the desktop's size
    EXPECT_EQ(app.WindowPosition().x, (1920 - 1024) / 2);

    fixture.folder.Write("config.ini", "[Video]\nfullscreen=1\nwidth=1280\nheight=1024\n");
    App replay(AppMode::Replay, test::Words({u"replay", u"a", u"b", u"c"}), fixture.Platform());
    replay.LoadConfiguration();
    EXPECT_FALSE(replay.IsFullScreen());
    EXPECT_EQ(replay.GetScreenSize().width, 1024);
    EXPECT_EQ(replay.GetScreenSize().height, 768);
}

// Events posted before the scenes exist wait for them. A post never waits for room: with the queue full an ordinary
// event is dropped at once with a logged line, and the shot's hand-over to the server still arrives.
TEST(AppEvents, EventsPostedBeforeTheScenesAreKeptAndAFullQueueWaitsForNothing) {
    test::HeadlessApp fixture;
    AppPlatform platform = fixture.Platform();
    RecordingAlone* alone = nullptr;
    platform.createScene = [&alone](int32_t id, App& app) -> std::unique_ptr<Scene> {
        if (id != SceneId::Alone) return CreatePlaceholderScene(id, app);
        auto scene = std::make_unique<RecordingAlone>();
        alone = scene.get();
        return scene;
    };
    App app(AppMode::Offline, test::Words({u"offline"}), std::move(platform));
    quill::test::LogCapture log;
    size_t sleeps = 0;
    platform::SetSleepHook([&sleeps](uint32_t) { ++sleeps; });
    for (uint32_t i = 0; i < App::kEventQueueSize; ++i) app.PostEvent(1100, 0, 0, 0);
    app.PostEvent(1101, 0, 0, 0);
    app.PostEvent(quill::AppEventId::ShotFired, 0, 0, 0);
    app.PostEvent(quill::AppEventId::BallsStopped, 0, 0, 0);
    platform::SetSleepHook({});
    EXPECT_EQ(sleeps, 0u) << "a post waited for room";
    EXPECT_TRUE(log.Contains("WARNING: event queue full, event 1101 dropped\n")) << log.Text();
    std::thread quitter([&app] {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < deadline) {
            const Scene* scene = app.Scenes().Current();
            if (scene != nullptr && scene->GetSceneId() == SceneId::Alone && scene->IsReady()) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        app.PostEvent(quill::AppEventId::AppQuit, 0, 0, 0);
    });
    app.LoadConfiguration();
    app.StartGameThread();
    ASSERT_TRUE(app.Initialize());
    app.Run();
    quitter.join();
    ASSERT_NE(alone, nullptr);
    std::vector<uint32_t> expected(App::kEventQueueSize, 1100);
    expected.insert(expected.end(), {quill::AppEventId::ShotFired, quill::AppEventId::BallsStopped});
    EXPECT_EQ(alone->messages, expected);
    app.Shutdown();
}

TEST(AppEvents, TheAppHandlesCursorAndSoundEvents) {
    test::HeadlessApp fixture;
    App app(AppMode::Offline, test::Words({u"offline"}), fixture.Platform());
    EXPECT_EQ(app.HandleAppEvent({quill::AppEventId::CursorMode, 2, 0, 0, nullptr}), 1);
    EXPECT_EQ(app.CursorModeValue(), 2u);
    EXPECT_EQ(app.HandleAppEvent({quill::AppEventId::SetVolume, 0, 50, 0, nullptr}), 1);
    EXPECT_EQ(app.HandleAppEvent({quill::AppEventId::EnableSoundChannel, 1, 0, 0, nullptr}), 1);
    EXPECT_EQ(app.HandleAppEvent({1100, 0, 0, 0, nullptr}), 0);
    EXPECT_EQ(App::VersionDelta(2966), 100);
}

TEST(Program, RunsOfflineToItsScreenAndQuits) {
    test::HeadlessApp fixture;
    std::thread quitter([] {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < deadline) {
            App* app = App::Current();
            const Scene* scene = app != nullptr ? app->Scenes().Current() : nullptr;
            if (scene != nullptr && scene->GetSceneId() == SceneId::Alone && scene->IsReady()) {
                app->PostEvent(quill::AppEventId::AppQuit, 0, 0, 0);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    EXPECT_EQ(RunProgram(test::Words({u"offline"}), fixture.Program()), AppExitCode::Ok);
    quitter.join();
    EXPECT_NE(fixture.folder.Read("config.ini").find("[Video]"), std::string::npos);
    const std::string log = fixture.StartLog();
    EXPECT_NE(log.find("Init done...\n"), std::string::npos);
    EXPECT_NE(log.find("Scene 11 ready\n"), std::string::npos);
}

TEST(Program, LauncherHandOverAndSecondInstance) {
    test::HeadlessApp fixture;
    ProgramSetup setup = fixture.Program();
    int launcherOpened = 0;
    setup.openLauncher = [&launcherOpened] {
        ++launcherOpened;
        return true;
    };
    EXPECT_EQ(RunProgram({u"kestrovan"}, setup), AppExitCode::Ok);
    EXPECT_EQ(launcherOpened, 1);
    setup.openLauncher = [] { return false; };
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram({u"kestrovan"}, setup), AppExitCode::NoLauncher);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("kestrovan offline"), std::string::npos);

    // A second start leaves the running game's log as it is (opening the log would replace it) and says why it
    // ends on the console.
    platform::InstanceLock first;
    ASSERT_EQ(first.Acquire(fixture.lockPath), platform::InstanceLock::Result::Acquired);
    quill::TheLog().Stop();
    const std::string runningLog = "12:00:00 Init done...\n";
    fixture.folder.Write("StartLog.log", runningLog);
    const auto start = Clock::now();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(test::Words({u"offline"}), fixture.Program()), AppExitCode::Ok);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Kestrovan is already running"), std::string::npos);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(App::Current(), nullptr);
    EXPECT_EQ(fixture.folder.Read("StartLog.log"), runningLog);
    first.Release();
    platform::InstanceLock again;
    EXPECT_EQ(again.Acquire(fixture.lockPath), platform::InstanceLock::Result::Acquired);
}

}  // namespace
}  // namespace kestrovan
