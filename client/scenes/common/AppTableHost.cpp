#include "client/scenes/common/AppTableHost.h"

#include "client/app/AppCursor.h"
#include "client/app/DirectInputMouse.h"
#include "client/app/NativeEditBridge.h"
#include "client/app/ScreenServices.h"
#include "platform/window/MessageParams.h"
#include "platform/window/Window.h"

namespace kestrovan {

uint16_t AppTableHost::ClientWidth() const {
    return app_.GetScreenSize().width;
}

uint16_t AppTableHost::ClientHeight() const {
    return app_.GetScreenSize().height;
}

void AppTableHost::PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) {
    app_.PostEvent(id, wParam, lParam, extra);
}

void AppTableHost::ShowCursor(bool show) {
    app_.Cursor().ShowCursor(show);
}

void AppTableHost::SetMouseCapture(bool capture) {
    app_.Cursor().SetMouseCapture(capture);
}

void AppTableHost::ClipCursorToWindow(bool clip) {
    app_.Cursor().ClipCursorToWindow(clip);
}

void AppTableHost::GetCursorPosition(int32_t& x, int32_t& y) const {
    const platform::LParam position = app_.Cursor().LastPosition();
    x = platform::PointX(position);
    y = platform::PointY(position);
}

void AppTableHost::SetCursorPosition(int32_t x, int32_t y) {
    platform::Window& window = app_.MainWindow();
    window.SetCursorPos(window.ClientToScreen(platform::PixelPoint{x, y}));
    app_.Cursor().StorePosition(platform::MakePointLParam(x, y));
}

void AppTableHost::RecentreRelativeMouse() {
    DirectInputMouse* mouse = app_.Mouse();
    if (mouse == nullptr)
        return;
    const platform::PixelPoint centre =
        app_.MainWindow().ClientToScreen(platform::PixelPoint{ClientWidth() / 2, ClientHeight() / 2});
    mouse->SetCursorCentre(centre.x, centre.y);
}

void AppTableHost::ForgetEarlierMotion() {
    if (DirectInputMouse* mouse = app_.Mouse()) mouse->ForgetEarlierMotion();
}

bool AppTableHost::IsKeyDown(int virtualKey) const {
    return virtualKey >= 0 && virtualKey < 256 && (app_.MainWindow().GetKeyState(virtualKey) & 0x8000) != 0;
}

bool AppTableHost::IsAppActive() const {
    return app_.MainWindow().IsActive();
}

bool AppTableHost::IsTextInputFocused() const {
    return NativeEditBridge::GetFocusWidget() != nullptr;
}

MouseSpeed AppTableHost::GetMouseSpeed() const {
    return {speedLow_, speedHigh_, acceleration_};
}

void AppTableHost::SetMouseSpeed(const MouseSpeed& speed) {
    speedLow_ = speed[0];
    speedHigh_ = speed[1];
    acceleration_ = speed[2];
}

}  // namespace kestrovan
