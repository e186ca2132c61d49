#include "client/app/App.h"

#include <filesystem>
#include <system_error>

#include "QuillLib/core/ClientVersion.h"
#include "QuillLib/core/Format.h"
#include "QuillLib/core/LogSystem.h"
#include "QuillLib/engine/Engine.h"
#include "QuillLib/engine/EngineFactory.h"
#include "QuillLib/engine/SystemInfo.h"
#include "client/app/AppExitCode.h"
#include "client/app/AppPlatform.h"
#include "client/app/AppUiServices.h"
#include "client/app/CatalogWidgetResources.h"
#include "client/app/DeviceWidgetRenderer.h"
#include "client/app/DirectInputMouse.h"
#include "client/app/InitMainWindow.h"
#include "client/app/LauncherWindow.h"
#include "client/app/MainWindowProc.h"
#include "client/app/ResourcePackCatalog.h"
#include "client/app/ScreenshotPath.h"
#include "client/app/WordFilter.h"
#include "client/connection/GameConnection.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/CodePage.h"
#include "platform/system/FileReplace.h"
#include "platform/system/SpecialFolder.h"
#include "platform/ui/MessageBox.h"

namespace kestrovan {

namespace {

std::atomic<App*> g_app{nullptr};

}  // namespace

App::App(AppMode mode, std::vector<quill::WString> words, AppPlatform platform)
    : cpuDescription_(std::async(std::launch::async, [] { return quill::GetCpuDescription(); })),
      mode_(mode),
      words_(std::move(words)),
      platform_(std::make_unique<AppPlatform>(std::move(platform))),
      window_(std::make_unique<platform::Window>(platform_->windowBackend())),
      cursor_(*window_),
      browser_(platform_->browser ? platform_->browser() : nullptr) {
    sceneManager_.SetHost(this);
    g_app = this;
}

App::~App() {
    Shutdown();
    App* self = this;
    g_app.compare_exchange_strong(self, nullptr);
}

App* App::Current() {
    return g_app.load();
}

void App::LoadConfiguration() {
    std::error_code error;
    workingFolder_ = platform::Utf8ToUtf16(std::filesystem::current_path(error).string());
    configPath_ = workingFolder_ + u"/config.ini";
    configPathA_ = platform::Utf16ToUtf8(configPath_);
    RestoreWorkingFolder(false);
    desktop_ = platform::DesktopFolder();
    // A start killed while it wrote config.ini or a screenshot left the unfinished copy beside it.
    const size_t leftovers =
        platform::RemoveLeftoverTemporaries(platform::Utf16ToUtf8(workingFolder_),
                                            [](std::string_view name) { return name == "config.ini"; }) +
        platform::RemoveLeftoverTemporaries(desktop_.path, IsScreenshotName);
    if (leftovers != 0) quill::TheLog().Log(u"Removed %d unfinished files\n", static_cast<int>(leftovers));
    settings_.LoadFile(configPath_);
    site_.Load(ReadProfileFile(configPath_));

    if (mode_ == AppMode::Replay) {
        settings_.fullScreen = 0;
        settings_.width = 1024;
        settings_.height = 768;
    }
    platform::PixelRect desktop = window_->DesktopRect();
    if (desktop.Width() <= 0 || desktop.Height() <= 0) desktop = platform::PixelRect{0, 0, 1024, 768};

    fullScreen_ = settings_.fullScreen != 0;
    fullScreenSize_ = {static_cast<uint16_t>(settings_.width), static_cast<uint16_t>(settings_.height)};
    if (settings_.width == 0 || settings_.height == 0) {
        fullScreenSize_ = {static_cast<uint16_t>(desktop.Width()), static_cast<uint16_t>(desktop.Height())};
        settings_.width = screenSize_.width;
        settings_.height = screenSize_.height;
    }
    windowedSize_ = {1024, 768};
    screenSize_ = fullScreen_ ? fullScreenSize_ : windowedSize_;

    multisample_ = settings_.fsaa;
    vsync_ = settings_.vsync;
    bitsPerPixel_ = settings_.bitsPerPixel;
    if (settings_.refreshRate == 0) settings_.refreshRate = 60;
    refreshRate_ = settings_.refreshRate;
    if (bitsPerPixel_ == 0) {
        bitsPerPixel_ = platform_->desktopBitsPerPixel;
        settings_.bitsPerPixel = bitsPerPixel_;
    }
    if (fullScreen_) {
        windowX_ = 0;
        windowY_ = 0;
    } else {
        windowX_ = (desktop.Width() - screenSize_.width) / 2;
        windowY_ = (desktop.Height() - screenSize_.height) / 2;
    }
}

bool App::Initialize() {
    connection_ = std::make_unique<GameConnection>(*this);
    SetWindowRect(fullScreen_, screenSize_.width, screenSize_.height, bitsPerPixel_, windowX_, windowY_);
    // The start log opens with the system report, before the window's own lines.
    WriteSystemReport();
    if (!InitMainWindow(*window_, windowRect_, fullScreen_, keyGuard_, accelerators_)) {
        exitCode_ = AppExitCode::NoWindow;
        return false;
    }
    windowProc_ = std::make_unique<MainWindowProc>(*window_, *this, cursor_);
    windowProc_->Install();
    cursor_.LoadCursors();
    InstallWidgetToolkit();

    connectionMode_ = ConnectionModeOf(words_);
    connection_->SetLoginKind(connectionMode_);
    connection_->SetServerAddress(settings_.server.host, settings_.server.port);

    mouse_ = std::make_unique<DirectInputMouse>();
    if (const uint32_t code = mouse_->Create(*window_); code != 0) {
        platform::ShowMessageBox(window_->Handle(), quill::Format(u"Mouse input (code=%X)", code), u"Kestrovan",
                                 platform::MsgBoxStyle::Ok);
    }
    return true;
}

// Widgets draw through the device and take their images from the catalogue, both asked for at each use:
// neither exists yet.
void App::InstallWidgetToolkit() {
    uiServices_ = std::make_unique<AppUiServices>(*this);
    widgetRenderer_ = std::make_unique<DeviceWidgetRenderer>([this] { return GetDevice(); });
    widgetResources_ = std::make_unique<CatalogWidgetResources>([this] { return catalog_.get(); },
                                                                [this] { return GetDevice(); });
    toolkit_ = std::make_unique<WidgetToolkit>(*uiServices_, *widgetResources_, *widgetRenderer_);
}

void App::ReleaseWidgetToolkit() {
    toolkit_.reset();
    if (uiServices_) uiServices_->ReleaseEditBridge();
    widgetResources_.reset();
    widgetRenderer_.reset();
    uiServices_.reset();
}

void App::SetWindowRect(bool fullScreen, uint32_t width, uint32_t height, uint32_t bitsPerPixel, int32_t x,
                        int32_t y) {
    fullScreen_ = fullScreen;
    screenSize_ = {static_cast<uint16_t>(width), static_cast<uint16_t>(height)};
    bitsPerPixel_ = bitsPerPixel;
    windowX_ = x;
    windowY_ = y;
    // The window has no frame: its rectangle is its client area on the screen.
    windowRect_ = platform::PixelRect{x, y, x + static_cast<int32_t>(width), y + static_cast<int32_t>(height)};
    clientRect_ = platform::PixelRect{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

void App::SetWindowRect(const platform::PixelRect& rect) {
    windowRect_ = rect;
    windowX_ = rect.left;
    windowY_ = rect.top;
}

void App::SetScreenSize(ScreenSize size) {
    screenSize_ = size;
    windowedSize_ = size;
}

int App::RestoreWorkingFolder(bool flag) {
    if (!flag && !workingFolder_.empty()) {
        std::error_code error;
        std::filesystem::current_path(platform::Utf16ToUtf8(workingFolder_), error);
    }
    return 1;
}

void App::Shutdown() {
    frameRunning_ = false;
    if (engine_) engine_->SetFramesActive(false);
    // The game thread may still wait for the start of the main loop (a start-up that failed): clearing the
    // running flag and then releasing it lets it end at once, and it is joined before anything it uses goes.
    running_ = false;
    startEvent_.Set();
    if (gameThread_.Joinable()) {
        if (!doneEvent_.Wait(kShutdownWaitMs)) {
            quill::TheLog().LogError(u"WARNING: the game thread is slow to stop; waiting for it\n");
        }
        gameThread_.Join();
    }
    // The pictures handed over are written whole before the program goes on to end.
    screenshots_.reset();
    if (connection_) connection_->StopDispatchThread();
    sceneManager_.DestroyAll();
    ReleaseWidgetToolkit();
    connection_.reset();
    mouse_.reset();
    while (quill::AppEvent* event = postedQueue_.Pop()) postedQueue_.Release(event);
    catalog_.reset();
    // The engine uses its factory until it is gone.
    engine_.reset();
    factory_.reset();
    if (launcherMinimised_) {
        ShowLauncherWindow(0, false);
        launcherMinimised_ = false;
    }
    keyGuard_.SetAccessibilityShortcuts(true);
    keyGuard_.RemoveHook();
    windowProc_.reset();
    if (window_->IsCreated()) window_->Destroy();
}

}  // namespace kestrovan
