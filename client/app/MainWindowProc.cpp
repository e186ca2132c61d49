#include "client/app/MainWindowProc.h"

#include <algorithm>

#include "client/app/WindowFrameAreas.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"
#include "resources/ProgramResources.h"

namespace kestrovan {

using platform::LParam;
using platform::LResult;
using platform::Message;
using platform::PixelPoint;
namespace Msg = platform::Msg;

namespace {

// Display state words the procedure raises (the frame step applies them).
constexpr uint32_t kStateResume = 1;
constexpr uint32_t kStateResized = 4;

PixelPoint PointOf(LParam lParam) { return PixelPoint{platform::PointX(lParam), platform::PointY(lParam)}; }

}  // namespace

MainWindowProc::MainWindowProc(platform::Window& window, MainWindowHost& host, AppCursor& cursor)
    : window_(window), host_(host), cursor_(cursor) {}

void MainWindowProc::Install() {
    window_.SetProcedure(platform::kMainWindow, [this](const Message& message) { return WindowProc(message); });
    window_.SetDragBand([this](PixelPoint point) {
        return !host_.IsFullScreen() && InDragBand(point, host_.GetScreenSize());
    });
}

LResult MainWindowProc::WindowProc(const Message& message) {
    LResult result = 0;
    if (!host_.IsFullScreen() && HandleFrame(message, result)) {
        return result;
    }
    if (RouteToScene(message)) {
        return 0;
    }
    return HandleOwn(message);
}

bool MainWindowProc::HandleFrame(const Message& message, LResult& result) {
    switch (message.id) {
        case Msg::LButtonDown:
            return HandleFramePress(PointOf(message.lParam), result);
        case Msg::LButtonUp:
            if (resizeMode_ == ResizeMode::None) {
                return false;
            }
            resizeMode_ = ResizeMode::None;
            cursor_.SetMouseCapture(false);
            window_.PostMessage(platform::kMainWindow, Msg::ExitSizeMove, 0, 0);
            result = 0;
            return true;
        case Msg::MouseMove:
            return HandleFrameMove(PointOf(message.lParam), message.lParam, result);
        default:
            return false;
    }
}

bool MainWindowProc::HandleFramePress(PixelPoint point, LResult& result) {
    const ScreenSize screen = host_.GetScreenSize();
    if (InDragBand(point, screen)) {
        // The window system drags the window from here.
        window_.PostMessage(platform::kMainWindow, Msg::NcLButtonDown, platform::HitTest::Caption, 0);
        result = 1;
        return true;
    }
    const ResizeGrip grip = GripAt(point, screen);
    if (grip.mode == ResizeMode::None) {
        return false;
    }
    cursor_.SetCursor(grip.cursor);
    resizeMode_ = grip.mode;
    resizeStartSize_ = screen;
    resizeStartPoint_ = point;
    cursor_.SetMouseCapture(true);
    window_.PostMessage(platform::kMainWindow, Msg::EnterSizeMove, 0, 0);
    result = 1;
    return true;
}

bool MainWindowProc::HandleFrameMove(PixelPoint point, LParam lParam, LResult& result) {
    if (resizeMode_ != ResizeMode::None) {
        int width = resizeStartSize_.width;
        int height = resizeStartSize_.height;
        if (resizeMode_ == ResizeMode::Both || resizeMode_ == ResizeMode::Width) {
            width += point.x - resizeStartPoint_.x;
        }
        if (resizeMode_ == ResizeMode::Both || resizeMode_ == ResizeMode::Height) {
            height += point.y - resizeStartPoint_.y;
        }
        width = std::clamp(width, kMinimumWindowWidth, 0xFFFF);
        height = std::clamp(height, kMinimumWindowHeight, 0xFFFF);
        host_.SetScreenSize(ScreenSize{static_cast<uint16_t>(width), static_cast<uint16_t>(height)});
        const platform::PixelRect rect = host_.GetWindowRect();
        window_.SetWindowPos(platform::PixelRect{rect.left, rect.top, rect.left + width, rect.top + height}, false);
        result = 1;
        return true;
    }
    const ScreenSize screen = host_.GetScreenSize();
    const ResizeGrip grip = GripAt(point, screen);
    if (grip.mode != ResizeMode::None) {
        cursor_.SetCursor(grip.cursor);
    } else {
        host_.NotifyCaptionHover(InDragBand(point, screen));
        if (host_.CursorMode() == 1) {
            cursor_.SetCursor(ResourceId::CursorPen);
        }
    }
    cursor_.StorePosition(lParam);
    return false;
}

bool MainWindowProc::RouteToScene(const Message& message) {
    platform::LParam lParam = message.lParam;
    switch (message.id) {
        case Msg::KeyDown:
        case Msg::KeyUp:
        case Msg::Char:
        case Msg::SysKeyDown:
        case Msg::SysKeyUp:
        case Msg::LButtonDown:
        case Msg::LButtonUp:
        case Msg::RButtonDown:
        case Msg::RButtonUp:
        case Msg::DropFiles:
            break;
        case Msg::MouseMove:
            cursor_.StorePosition(lParam);
            break;
        case Msg::MouseWheel: {
            // The wheel comes with the pointer's place on the screen, which the window made from its own
            // placement: the same placement brings it back into the client area. The host's rectangle keeps the
            // windowed place while the window is full screen.
            const platform::PixelRect rect = window_.GetWindowRect();
            const PixelPoint screen = PointOf(lParam);
            if (!rect.Contains(screen)) {
                return false;
            }
            lParam = platform::MakePointLParam(screen.x - rect.left, screen.y - rect.top);
            break;
        }
        default:
            return false;
    }
    return host_.IsRunning() && host_.HandleSceneMessage(message.id, message.wParam, lParam);
}

LResult MainWindowProc::HandleOwn(const Message& message) {
    switch (message.id) {
        case Msg::EnterSizeMove:
            host_.PauseGameThread();
            sizing_ = true;
            break;
        case Msg::ExitSizeMove:
            sizing_ = false;
            host_.SetDisplayState(sizeChanged_ ? kStateResized : kStateResume);
            break;
        case Msg::SysCommand: {
            const uint32_t command = static_cast<uint32_t>(message.wParam) & 0xFFF0;
            if (command == platform::SysCommandKind::ScreenSave) {
                return 1;
            }
            if (command == platform::SysCommandKind::Maximize) {
                if (minimised_) {
                    return 1;
                }
                ReleaseCaptureAndClip();
            }
            break;
        }
        case Msg::ImeStartComposition:
            return 0;  // the program shows the composition itself
        case Msg::Command:
            if (platform::HiWord(message.wParam) == 1) {
                return OnCommand(platform::LoWord(message.wParam));
            }
            break;
        case Msg::SysKeyDown:
            if (message.wParam == platform::Vk::Menu) {
                return 0;  // Alt alone opens no menu
            }
            break;
        case Msg::Size:
            OnSize(static_cast<uint32_t>(message.wParam));
            break;
        case Msg::Activate:
            OnActivate(platform::LoWord(message.wParam) != platform::ActivateKind::Inactive);
            break;
        case Msg::Close:
            host_.PostQuit();
            return 1;
        case Msg::ActivateApp:
            OnActivateApp(message.wParam != 0);
            break;
        case Msg::WindowPosChanged:
            if (!host_.IsFullScreen()) {
                host_.SetWindowRect(window_.GetWindowRect());
            }
            break;
        default:
            break;
    }
    return window_.DefaultProcedure(message);
}

LResult MainWindowProc::OnCommand(uint16_t command) {
    switch (command) {
        case Command::ChatSlot0:
            host_.SendChatMacro(0);
            break;
        case Command::ChatSlot1:
            host_.SendChatMacro(1);
            break;
        case Command::ChatSlot2:
            host_.SendChatMacro(2);
            break;
        case Command::ChatSlot3:
            host_.SendChatMacro(3);
            break;
        case Command::ChatSlot4:
            host_.SendChatMacro(4);
            break;
        case Command::ChatSlot5:
            host_.SendChatMacro(5);
            break;
        case Command::Quit:
            host_.PostQuit();
            break;
        case Command::FullScreen:
            host_.ToggleFullScreen();
            return 1;
        case Command::Screenshot:
        case Command::Screenshot2:
            host_.SaveScreenshot();
            break;
        default:
            break;
    }
    return 0;
}

void MainWindowProc::OnSize(uint32_t kind) {
    if (sizing_) {
        sizeChanged_ = true;
        return;
    }
    if (!host_.ResumeAllowed()) {
        return;
    }
    switch (kind) {
        case platform::SizeKind::Restored:
        case platform::SizeKind::MaxShow:
            if (minimised_) {
                minimised_ = false;
                host_.SetDisplayState(kStateResume);
            }
            break;
        case platform::SizeKind::Minimized:
            minimised_ = true;
            host_.PauseGameThread();
            break;
        case platform::SizeKind::Maximized:
            if (!host_.IsFullScreen()) {
                minimised_ = false;
                host_.ToggleFullScreen();  // maximising means full screen
            }
            break;
        case platform::SizeKind::MaxHide:
            host_.PauseGameThread();
            break;
        default:
            break;
    }
}

void MainWindowProc::OnActivate(bool active) {
    if (!active) {
        ReleaseCaptureAndClip();
        if (host_.IsFullScreen() && !host_.DialogBoxModeWanted()) {
            host_.PauseGameThread();
        }
        host_.ActivateCurrentScene(false);
        host_.SetMousePoll(false);
        return;
    }
    if (host_.IsFullScreen() && !host_.FramesRunning() && host_.ResumeAllowed()) {
        host_.SetDisplayState(kStateResume);
    }
    host_.ActivateCurrentScene(true);
    host_.SetMousePoll(true);
}

void MainWindowProc::OnActivateApp(bool active) {
    if (active) {
        if (host_.IsFullScreen() && !host_.FramesRunning()) {
            host_.ResumeGameThread();
        }
        host_.SetMousePoll(true);
        return;
    }
    ReleaseCaptureAndClip();
    if (host_.IsFullScreen()) {
        if (host_.FramesRunning()) {
            host_.SetDisplayState(kStateResume);
        }
        host_.PauseGameThread();
    }
    host_.SetMousePoll(false);
}

void MainWindowProc::ReleaseCaptureAndClip() {
    cursor_.SetMouseCapture(false);
    cursor_.ClipCursorToWindow(false);
}

}  // namespace kestrovan
