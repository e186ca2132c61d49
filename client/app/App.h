#pragma once
// The one application object. The entry creates it and calls, in this order, LoadConfiguration,
// StartGameThread, Initialize, Run (the main loop) and Shutdown. It owns the main window, the settings read
// from "config.ini", the engine and its factory, the game connection, the scene manager, the frame clock,
// the event queue, the resource-pack catalogue, the mouse and the widget toolkit with its services
// (installed while the main window exists). The screens and their dialogs reach it through ScreenServices,
// the part of it they use.
//
// Threads: the main thread runs everything but the game thread's loop (GameThreadProc); the connection's dispatch
// thread calls the ConnectionHost operations. The run flags are atomic, read by both loops without a lock. PostEvent
// may be called from any thread. The display state (the frame step, pausing and resuming, the first step of the
// shutdown) is the main thread's alone.
#include <atomic>
#include <cstdint>
#include <deque>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QuillLib/core/ClientVersion.h"
#include "QuillLib/core/CriticalSectionLock.h"
#include "QuillLib/core/EventQueue.h"
#include "QuillLib/core/Random.h"
#include "QuillLib/core/WString.h"
#include "client/app/AppCursor.h"
#include "client/app/CommandLine.h"
#include "client/app/FrameClock.h"
#include "client/app/MainWindowHost.h"
#include "client/app/SceneManager.h"
#include "client/app/ScreenServices.h"
#include "client/app/ScreenshotWriter.h"
#include "client/app/Settings.h"
#include "client/app/SiteConfig.h"
#include "client/app/SystemKeyGuard.h"
#include "client/connection/ConnectionHost.h"
#include "platform/system/Event.h"
#include "platform/system/SpecialFolder.h"
#include "platform/system/Thread.h"
#include "platform/window/AcceleratorTable.h"

namespace platform {
class Browser;
class Window;
}  // namespace platform

namespace quill {
class Engine;
class EngineFactory;
}  // namespace quill

namespace kestrovan {

struct AppPlatform;
class AppUiServices;
class CatalogWidgetResources;
class DeviceWidgetRenderer;
class DirectInputMouse;
class GameConnection;
class MainWindowProc;
class ResourcePackCatalog;
class WidgetToolkit;

class App : public MainWindowHost, public SceneManagerHost, public ConnectionHost, public ScreenServices {
public:
    static constexpr uint32_t kEventQueueSize = 1024;
    static constexpr uint32_t kShutdownWaitMs = 2000;
    static constexpr uint32_t kScreenshotNoticeMs = 5000;

    // words: the program's words, word 0 the program itself.
    App(AppMode mode, std::vector<quill::WString> words, AppPlatform platform);
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The App made last and not yet destroyed.
    static App* Current();

    // --- Life, in calling order ---
    void LoadConfiguration();
    int StartGameThread();
    // False when no window could be opened.
    bool Initialize();
    // False when start-up must stop; ExitCode() then says why.
    bool InitRenderer();
    void Run();
    void Shutdown();
    int ExitCode() const { return exitCode_; }

    // --- The main loop ---
    // Run's start: the renderer, the scenes, the dispatch thread, the game thread released. False when
    // start-up must stop.
    bool StartMainLoop();
    bool FrameStep();
    bool ApplyDisplayChange();
    void RequestDialogBoxMode(bool enable) override;
    void ApplyDialogBoxMode(bool enable);
    // One pass of the main loop: a message, or the idle work; false once the loop must end.
    bool RunPass();

    // --- Events ---
    // Queues the event for the main thread without ever waiting: an event that finds the queue full is dropped
    // with a logged line, unless it is one that must not be lost.
    void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) override;
    // The main loop's hand-over of posted events to the App and the current scene (main thread).
    void DrainPostedEvents();
    int HandleAppEvent(const quill::AppEvent& event);
    void RegisterScenes();

    // --- Services ---
    void SetWindowRect(bool fullScreen, uint32_t width, uint32_t height, uint32_t bitsPerPixel, int32_t x, int32_t y);
    int ApplyWindowPlacement(uint32_t flags);
    // Asks for a screenshot of the next frame drawn (TakeScreenshot).
    void SaveScreenshotNow();
    // Hands the frame's pixels to the screenshot writer, which writes them into a file of their own on the
    // desktop; the notice says whether that worked once it is done (ShowWrittenScreenshots, a later frame).
    void TakeScreenshot(D3D9RenderDevice& device);
    void ShowWrittenScreenshots();
    void ShowScreenshotNotice(const ScreenshotWriter::Finished& finished);
    void WriteSystemReport();
    void ApplySoundSettings();
    void SendOptionsToServer() override;
    // Opens a web page in the system browser (nothing without one).
    void OpenWebPage(quill::WStringView address) override;
    int RestoreWorkingFolder(bool flag);
    const quill::WString& GetConfigPath() const override { return configPath_; }
    const std::string& GetConfigPathA() const { return configPathA_; }
    const quill::WString& GetWorkingFolder() const { return workingFolder_; }
    static uint32_t GetClientVersion() { return quill::kClientVersion; }
    static int32_t VersionDelta(int32_t x) { return x - 2866; }

    // --- What the screens and tests read ---
    AppMode Mode() const override { return mode_; }
    Settings& GetSettingsMutable() override { return settings_; }
    const Settings& GetSettings() const override { return settings_; }
    // The product's web site ([Web] of "config.ini").
    const SiteConfig& Site() const override { return site_; }
    // The system's web browser; null when the program has none.
    platform::Browser* Browser() const override { return browser_.get(); }
    SceneManager& Scenes() override { return sceneManager_; }
    FrameClock& Clock() override { return clock_; }
    platform::Window& MainWindow() override { return *window_; }
    quill::Engine* GetEngine() const override { return engine_.get(); }
    GameConnection* Connection() const override { return connection_.get(); }
    ResourcePackCatalog* Catalog() const override { return catalog_.get(); }
    DirectInputMouse* Mouse() const override { return mouse_.get(); }
    // The program's words, word 0 the program itself.
    const std::vector<quill::WString>& Words() const override { return words_; }
    AppCursor& Cursor() override { return cursor_; }
    quill::Random& GetRandom() override { return random_; }
    bool DeviceCreated() const { return deviceCreated_; }
    bool GameThreadStarted() const { return gameThread_.Joinable(); }
    uint32_t CursorModeValue() const { return cursorMode_; }
    ScreenSize FullScreenSize() const { return fullScreenSize_; }
    platform::PixelPoint WindowPosition() const { return {windowX_, windowY_}; }

    // MainWindowHost.
    bool IsFullScreen() const override { return fullScreen_; }
    bool IsRunning() const override { return running_; }
    bool FramesRunning() const override { return frameRunning_; }
    bool ResumeAllowed() const override { return resume_; }
    bool DialogBoxModeWanted() const override { return dialogBoxWanted_; }
    void SetDisplayState(uint32_t stateWord) override { stateWord_ = stateWord; }
    void SetMousePoll(bool poll) override { mousePoll_ = poll; }
    void PauseGameThread() override;
    void ResumeGameThread() override;
    void ToggleFullScreen() override;
    void SaveScreenshot() override { SaveScreenshotNow(); }
    void PostQuit() override;
    ScreenSize GetScreenSize() const override { return screenSize_; }
    void SetScreenSize(ScreenSize size) override;
    platform::PixelRect GetWindowRect() const override { return windowRect_; }
    void SetWindowRect(const platform::PixelRect& rect) override;
    uint32_t CursorMode() const override { return cursorMode_; }
    bool HandleSceneMessage(uint32_t id, platform::WParam wParam, platform::LParam lParam) override;
    void NotifyCaptionHover(bool overDragBand) override { sceneManager_.NotifyCurrentScene(overDragBand); }
    void ActivateCurrentScene(bool active) override { sceneManager_.ActivateCurrentScene(active); }
    void SendChatMacro(int slot) override;

    // SceneManagerHost.
    void SetDeviceDialogBoxMode(bool enable) override;
    void ShowLoadErrorBox(quill::WStringView text) override;
    quill::ResourceManager* GetResourceManager() override;
    quill::RenderSceneManager* GetRenderScenes() override;
    D3D9RenderDevice* GetDevice() override;
    void SendClanLeave() override;

    // ConnectionHost: the notice and the invitation go to the shared popups, the community messages to the
    // shared messenger and the skill save's answer to the My Info window (AppCommunity.cpp), each under the
    // widget-tree lock.
    void DispatchThreadStarted() override;
    void DispatchThreadEnded() override;
    ConnectionScene* CurrentScene() override;
    bool DeliverPacket(quill::MessageId id, quill::Packet& packet) override {
        return sceneManager_.DeliverPacket(id, packet);
    }
    quill::Lock& ProfileLock() override { return sceneManager_.WidgetTreeLock(); }
    void PostEvent(ConnectionEvent id, uint32_t wParam, uint32_t lParam, uint32_t extra) override;
    void ShowNotice(const ConnectionNotice& notice) override { sceneManager_.ShowConnectionNotice(notice); }
    void OnMessengerChat(quill::Packet& packet, bool echo) override;
    void OnMessengerMessage(quill::MessageId id, quill::Packet& packet) override;
    void OnSkillSaveResult(quill::Packet& packet) override;
    void RefreshMessengerLists() override;
    void OnFriendRemoved(uint8_t kind, const quill::PlayerState& record) override;
    void OnClanMemberJoined(const quill::PlayerState& record) override;
    void OnClanMemberLeft(const quill::PlayerState& record) override;
    void OnMemberPresence(uint8_t listKind, const quill::PlayerState& record, bool loggedIn) override;
    void ShowInvitation(const Invitation& invitation) override { sceneManager_.ShowInvitation(invitation); }
    bool FindCueStatistics(uint32_t itemId, CueStatistics& statistics) override;
    bool CensorWords(char16_t* text, size_t maxLength) override;
    quill::WString FormatMoney(int64_t value) override;

private:
    void GameThreadProc();
    bool StartRendererEngine();
    bool CheckDevice();
    void ConfigureFromDevice();
    void ShowFirstFrame(D3D9RenderDevice& device);
    bool CreateDeviceAndPacks();
    void GiveGraphicsDisplayRecord();
    void ApplyTextureFilter(uint32_t filter, uint32_t anisotropy);
    void ApplyAspectRatio(uint32_t width, uint32_t height);
    void StoreTextureDetail();
    void DrawScreenshotNotice();
    void FailStart(int exitCode);
    void PlaceWindow(bool fullScreen);
    void IdleWork();
    // A key-up or a mouse button's release.
    static bool IsRelease(uint32_t id);
    void HandOverMotionBeforeRelease();
    void InstallWidgetToolkit();
    void ReleaseWidgetToolkit();

    // The processor described on a thread of its own from construction on (its clock as the kernel reports it,
    // or measured where it reports none).
    std::future<quill::WString> cpuDescription_;
    const AppMode mode_;
    const std::vector<quill::WString> words_;
    std::unique_ptr<AppPlatform> platform_;

    // Window.
    std::unique_ptr<platform::Window> window_;
    platform::AcceleratorTable accelerators_;
    SystemKeyGuard keyGuard_;
    AppCursor cursor_;
    std::unique_ptr<MainWindowProc> windowProc_;
    std::unique_ptr<platform::Browser> browser_;
    bool scenesRegistered_ = false;
    platform::PixelRect windowRect_;
    platform::PixelRect clientRect_;

    // Paths.
    quill::WString workingFolder_;
    quill::WString configPath_;
    std::string configPathA_;
    // Where screenshots go: found once at start, so that no frame waits on the file system for it.
    platform::PictureFolder desktop_;

    // Display.
    bool fullScreen_ = false;
    bool launcherMinimised_ = false;
    int32_t windowX_ = 0;
    int32_t windowY_ = 0;
    uint32_t bitsPerPixel_ = 32;
    uint32_t refreshRate_ = 60;
    uint32_t multisample_ = 0;
    uint8_t vsync_ = 0;
    ScreenSize screenSize_{1024, 768};
    ScreenSize fullScreenSize_{1024, 768};
    ScreenSize windowedSize_{1024, 768};

    std::atomic<uint32_t> cursorMode_{0};
    quill::WString noticeText_;
    uint32_t noticeTime_ = 0;
    bool screenshotAsked_ = false;  // saved from the next frame drawn
    std::unique_ptr<ScreenshotWriter> screenshots_;  // made by the first screenshot
    // Frames presented since a screen loaded (counted up to kPresentsOfNewScreen): freed memory goes back
    // to the system after its first frame and again after that many.
    uint32_t presentsSinceLoad_ = kPresentsOfNewScreen;
    static constexpr uint32_t kPresentsOfNewScreen = 30;

    Settings settings_;
    SiteConfig site_;

    // Run state.
    std::atomic<bool> running_{false};
    std::atomic<bool> frameRunning_{false};
    std::atomic<bool> mousePoll_{true};
    std::atomic<bool> resume_{false};
    std::atomic<bool> dialogBoxWanted_{false};
    bool deviceCreated_ = false;
    std::atomic<uint32_t> stateWord_{0};
    int exitCode_ = 0;
    uint8_t connectionMode_ = 0;

    quill::Random random_;
    platform::Event startEvent_{true, false};
    platform::Event doneEvent_{true, false};
    platform::Thread gameThread_;

    // The queue exists from construction on, so an event posted before the scenes is kept.
    quill::EventQueue postedQueue_{kEventQueueSize};
    std::deque<quill::AppEvent> heldEvents_;  // the main thread's alone

    std::unique_ptr<quill::EngineFactory> factory_;
    std::unique_ptr<quill::Engine> engine_;
    std::unique_ptr<ResourcePackCatalog> catalog_;
    std::unique_ptr<GameConnection> connection_;
    std::unique_ptr<DirectInputMouse> mouse_;

    // The toolkit's services before the toolkit, so that it goes first.
    std::unique_ptr<AppUiServices> uiServices_;
    std::unique_ptr<CatalogWidgetResources> widgetResources_;
    std::unique_ptr<DeviceWidgetRenderer> widgetRenderer_;
    std::unique_ptr<WidgetToolkit> toolkit_;

    FrameClock clock_;
    SceneManager sceneManager_;
};

}  // namespace kestrovan
