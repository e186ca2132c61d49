// The main loop of the App: window messages, posted events and the frame step with its display changes.
#include "QuillLib/core/ScopedLock.h"
#include "QuillLib/engine/Engine.h"
#include "client/app/App.h"
#include "client/app/AppExitCode.h"
#include "client/app/DrawingRate.h"
#include "client/app/MainWindowProc.h"
#include "client/app/SettingsPopup.h"
#include "client/app/UiFonts.h"
#include "client/connection/GameConnection.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/render/Graphics.h"
#include "platform/gfx/Font.h"
#include "platform/system/Clock.h"
#include "platform/system/FpuMode.h"
#include "platform/system/Sleep.h"
#include "platform/system/posix/FreeMemory.h"
#include "platform/window/MessageIds.h"
#include "platform/window/Window.h"
#include "platform/window/WindowBackend.h"

namespace kestrovan {

namespace {

constexpr uint32_t kEarlyFrames = 37;
constexpr uint32_t kStateTextureFilter = 2;
constexpr uint32_t kStateUserResize = 4;
constexpr uint32_t kStateModeInPlace = 8;
constexpr uint32_t kStateModePlaced = 16;
constexpr uint32_t kStateDialogBox = 32;
constexpr uint32_t kStateEffects = 0x100;

}  // namespace

void App::Run() {
    sceneManager_.Threads().Register(ProgramThread::Main);
    if (StartMainLoop()) {
        while (running_ && RunPass()) {
        }
    }
    running_ = false;
    // The program ends: the screen lets go of what a held key or button began (the cursor shown, the mouse
    // given back) while the window is still there.
    sceneManager_.ActivateCurrentScene(false);
    sceneManager_.Threads().Unregister(ProgramThread::Main);
}

bool App::StartMainLoop() {
    if (!InitRenderer()) return false;
    {
        // The screens are built before the other threads may reach them.
        quill::ScopedLock tree(sceneManager_.WidgetTreeLock());
        RegisterScenes();
        sceneManager_.ResizeAll(screenSize_.width, screenSize_.height);
    }
    connection_->StartDispatchThread();
    running_ = true;
    frameRunning_ = true;
    resume_ = true;
    startEvent_.Set();
    clock_.SetRenderRate(ChooseDrawingRate(fullScreen_, refreshRate_, GetDevice()->DesktopRefreshRate()));
    clock_.StartRenderChannel();
    sceneManager_.LoadSharedResources(GetResourceManager());
    window_->Show(platform::ShowCommand::Raise);
    if (fullScreen_) GetDevice()->SetBrightness(static_cast<float>(settings_.gamma) / 100.0f);
    platform::SetThreadFpuMode();
    return true;
}

bool App::RunPass() {
    platform::Message message;
    if (window_->PeekMessage(message, true)) {
        if (message.id == platform::Msg::Quit) {
            running_ = false;
            return false;
        }
        if (!window_->TranslateAccelerator(accelerators_, message)) {
            window_->TranslateMessage(message);
            window_->DispatchMessage(message);
        }
        return true;
    }
    IdleWork();
    if (clock_.IsRenderDue()) {
        if (!FrameStep()) return false;
        if (clock_.GetRenderTickCount() < kEarlyFrames) platform::Sleep(1);
        return true;
    }
    // Nothing to do until the next frame, unless input or a message comes first: the loop rests.
    window_->WaitMessage(clock_.MsUntilRenderDue());
    return true;
}

void App::IdleWork() {
    DrainPostedEvents();
    sceneManager_.PollCurrentScene();
}

bool App::HandleSceneMessage(uint32_t id, platform::WParam wParam, platform::LParam lParam) {
    if (!running_) return false;
    if (IsRelease(id)) HandOverMotionBeforeRelease();
    return sceneManager_.HandleWindowMessage(id, wParam, lParam);
}

bool App::IsRelease(uint32_t id) {
    return id == platform::Msg::KeyUp || id == platform::Msg::SysKeyUp || id == platform::Msg::LButtonUp ||
           id == platform::Msg::RButtonUp;
}

// The times are read under the widget-tree lock, as the game thread reads them for its update: the screen never
// sees them go back.
void App::HandOverMotionBeforeRelease() {
    if (!mouse_ || !frameRunning_ || !mousePoll_) return;
    quill::ScopedLock tree(sceneManager_.WidgetTreeLock());
    sceneManager_.HandOverMotionBeforeRelease(clock_.GetTimeTenthMs(), *mouse_);
}

bool App::FrameStep() {
    if (!frameRunning_) {
        SceneManager::SetUpdateActive(false);
        if (ApplyDisplayChange()) return true;
    } else {
        SceneManager::SetUpdateActive(true);
    }
    {
        // The switch, the load and the update after it in one hold of the widget-tree lock: no server message
        // and no game-thread update reaches the screen between them.
        quill::ScopedLock tree(sceneManager_.WidgetTreeLock());
        sceneManager_.PerformPendingSwitch(engine_->GetRenderSceneManager());
        const int loaded = sceneManager_.LoadPendingScene();
        if (loaded == 1) {
            sceneManager_.UpdateCurrentScene(platform::TimeGetTime(), clock_.GetTimeTenthMs());
            presentsSinceLoad_ = 0;
            return true;
        }
        if (loaded == -1) {
            exitCode_ = AppExitCode::SceneLoadFailed;
            PostQuit();
            return false;
        }
        if (!frameRunning_) {
            sceneManager_.RenderCurrentScene(GetDevice(), false);
            return true;
        }
    }
    D3D9RenderDevice* device = GetDevice();
    if (device != nullptr && device->BeginFrame()) {
        if (device->BeginScene()) {
            // A device may hold the frame's draws back until the scene ends: the widgets' pictures they read
            // stay while the widget-tree lock is held.
            quill::ScopedLock tree(sceneManager_.WidgetTreeLock());
            sceneManager_.RenderCurrentScene(device, true);
            if (screenshotAsked_) {
                screenshotAsked_ = false;
                TakeScreenshot(*device);
            }
            ShowWrittenScreenshots();
            DrawScreenshotNotice();
            device->EndScene();
        }
        device->Present();
        // The first frame of a new screen is out: what its load freed (the pictures the device took, the
        // files' bytes) goes back to the system; and again once its first frames are out, whose drawing
        // compiled the rasteriser's programs for the screen (the compiler's working memory freed after each).
        if (presentsSinceLoad_ < kPresentsOfNewScreen) {
            ++presentsSinceLoad_;
            if (presentsSinceLoad_ == 1 || presentsSinceLoad_ == kPresentsOfNewScreen) platform::ReturnFreedMemory();
        }
    }
    return true;
}

void App::DrawScreenshotNotice() {
    if (noticeTime_ == 0) return;
    if (platform::TimeGetTime() - noticeTime_ >= kScreenshotNoticeMs) {
        noticeTime_ = 0;
        return;
    }
    const FontDesc& desc = UiFontAt(UiFont::Bold12);
    FontEntry* font = GetDevice()->GetFont(desc.face, desc.height, desc.weight, desc.italic);
    if (font == nullptr || font->GetFont() == nullptr) return;
    const int32_t w = screenSize_.width;
    const int32_t h = screenSize_.height;
    font->GetFont()->DrawText(noticeText_, platform::gfx::Rect{10, h / 2 - 10, w - 20, h / 2 + 10}, 1, 0xFFFFFF00);
}

bool App::ApplyDisplayChange() {
    const uint32_t state = stateWord_;
    if (state == 0) return false;
    D3D9RenderDevice* device = GetDevice();
    if ((state & kStateTextureFilter) != 0) ApplyTextureFilter(settings_.textureFilter, settings_.anisotropy);
    if ((state & kStateUserResize) != 0) {
        windowRect_ = window_->GetWindowRect();
        clientRect_ = window_->GetClientRect();
        if (device != nullptr) device->Reset();
        ApplyAspectRatio(static_cast<uint32_t>(clientRect_.right - clientRect_.left),
                         static_cast<uint32_t>(clientRect_.bottom - clientRect_.top));
        sceneManager_.ResizeAll(screenSize_.width, screenSize_.height);
    } else if ((state & (kStateModePlaced | kStateModeInPlace)) != 0) {
        screenSize_ = fullScreen_ ? fullScreenSize_ : windowedSize_;
        if ((state & kStateModePlaced) != 0) {
            windowRect_.right = windowRect_.left + screenSize_.width;
            windowRect_.bottom = windowRect_.top + screenSize_.height;
            window_->SetFullScreen(fullScreen_);
            PlaceWindow(fullScreen_);
        }
        GiveGraphicsDisplayRecord();
        if (device != nullptr) {
            device->SetDisplayMode(static_cast<Graphics*>(engine_->GetGraphics())->GetDisplayMode());
            device->Reset();
        }
        if ((state & kStateModePlaced) != 0) {
            ApplyAspectRatio(screenSize_.width, screenSize_.height);
            sceneManager_.ResizeAll(screenSize_.width, screenSize_.height);
        }
        if (fullScreen_ && device != nullptr) device->SetBrightness(static_cast<float>(settings_.gamma) / 100.0f);
    }
    if ((state & kStateEffects) != 0) sceneManager_.ApplyEffectSettings(settings_);
    if ((state & kStateDialogBox) != 0) ApplyDialogBoxMode(dialogBoxWanted_);
    stateWord_ = 0;
    if (windowProc_) windowProc_->SetSizeChanged(false);
    if (resume_) ResumeGameThread();
    return true;
}

void App::PauseGameThread() {
    frameRunning_ = false;
    if (engine_) engine_->SetFramesActive(false);
}

void App::ResumeGameThread() {
    if (!resume_) return;
    if (engine_) engine_->SetFramesActive(true);
    frameRunning_ = true;
}

void App::RequestDialogBoxMode(bool enable) {
    dialogBoxWanted_ = enable;
    stateWord_ |= kStateDialogBox;
    frameRunning_ = false;
}

void App::ApplyDialogBoxMode(bool enable) {
    if (D3D9RenderDevice* device = GetDevice()) device->SetDialogBoxMode(enable);
    stateWord_ &= ~kStateDialogBox;
    frameRunning_ = true;
}

void App::SetDeviceDialogBoxMode(bool enable) {
    if (D3D9RenderDevice* device = GetDevice()) device->SetDialogBoxMode(enable);
}

void App::ToggleFullScreen() {
    PauseGameThread();
    fullScreen_ = !fullScreen_;
    quill::ScopedLock tree(sceneManager_.WidgetTreeLock());
    if (SettingsPopup* dialog = sceneManager_.GetSettingsDialog()) dialog->SetFullScreen(fullScreen_);
    stateWord_ = kStateModePlaced;
}

int App::ApplyWindowPlacement(uint32_t flags) {
    if (!frameRunning_ || stateWord_ != 0) return 0;
    PauseGameThread();
    if (windowProc_) windowProc_->SetSizeChanged(true);
    const bool wasFullScreen = fullScreen_;
    fullScreen_ = settings_.fullScreen != 0;
    if (fullScreen_) {
        fullScreenSize_ = {static_cast<uint16_t>(settings_.width), static_cast<uint16_t>(settings_.height)};
    }
    screenSize_ = fullScreen_ ? fullScreenSize_ : windowedSize_;
    bitsPerPixel_ = settings_.bitsPerPixel;
    refreshRate_ = settings_.refreshRate;
    multisample_ = settings_.fsaa;
    vsync_ = settings_.vsync;
    StoreTextureDetail();
    uint32_t state = (flags & kStateEffects) | (flags & kStateTextureFilter);
    if ((flags & kStateModePlaced) == 0) {
        state |= flags & kStateModeInPlace;
        stateWord_ = state;
        return 1;
    }
    SetWindowRect(fullScreen_, screenSize_.width, screenSize_.height, bitsPerPixel_, windowX_, windowY_);
    state |= kStateModePlaced;
    if (fullScreen_ != wasFullScreen) PlaceWindow(fullScreen_);
    stateWord_ = state;
    return 1;
}

}  // namespace kestrovan
