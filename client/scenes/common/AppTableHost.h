#pragma once
// The game table's host in the application: the window's client size, the App's event queue, the cursor
// and mouse of the main window, the keyboard's state and the edit bridge's focus. The system mouse speed
// the stroke saves and restores is kept here: the desktop gives the program no such setting to change.
//
// Threads: as TableHost (the cursor calls go to the window layer, which carries them out on the main
// thread).
#include <atomic>

#include "client/table/TableHost.h"

namespace kestrovan {

class ScreenServices;

class AppTableHost : public TableHost {
public:
    explicit AppTableHost(ScreenServices& app) : app_(app) {}

    uint16_t ClientWidth() const override;
    uint16_t ClientHeight() const override;
    void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) override;
    void ShowCursor(bool show) override;
    void SetMouseCapture(bool capture) override;
    void ClipCursorToWindow(bool clip) override;
    void GetCursorPosition(int32_t& x, int32_t& y) const override;
    void SetCursorPosition(int32_t x, int32_t y) override;
    void RecentreRelativeMouse() override;
    void ForgetEarlierMotion() override;
    bool IsKeyDown(int virtualKey) const override;
    bool IsAppActive() const override;
    bool IsTextInputFocused() const override;
    MouseSpeed GetMouseSpeed() const override;
    void SetMouseSpeed(const MouseSpeed& speed) override;

private:
    ScreenServices& app_;
    std::atomic<int32_t> speedLow_{6};
    std::atomic<int32_t> speedHigh_{10};
    std::atomic<int32_t> acceleration_{1};
};

}  // namespace kestrovan
