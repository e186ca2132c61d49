#pragma once
// What the game table needs of the application: the size of the window's client area, the posted-event queue,
// the system cursor, the keyboard's state and the system mouse speed. The application implements it (the window
// layer is wired there); tests record the calls.
//
// Threads: PostEvent, the size and the key state may be called from any thread. The cursor calls come only from
// the thread that owns the window; the table makes sure of that (TableHud::SetAimCursor).
#include <array>
#include <cstdint>

namespace kestrovan {

// The system's mouse-speed setting (two thresholds and the acceleration).
using MouseSpeed = std::array<int32_t, 3>;

class TableHost {
public:
    virtual ~TableHost() = default;

    virtual uint16_t ClientWidth() const = 0;
    virtual uint16_t ClientHeight() const = 0;

    // Appends an application event (id and three values); dropped when the queue is full.
    virtual void PostEvent(uint32_t id, uint32_t wParam, uint32_t lParam, uint32_t extra) = 0;

    // Shows or hides the system cursor (only when that changes its state).
    virtual void ShowCursor(bool show) = 0;
    virtual void SetMouseCapture(bool capture) = 0;
    // Confines the cursor to the window, or frees it.
    virtual void ClipCursorToWindow(bool clip) = 0;
    // The cursor position in client coordinates.
    virtual void GetCursorPosition(int32_t& x, int32_t& y) const = 0;
    // Puts the system cursor at a position given in client coordinates.
    virtual void SetCursorPosition(int32_t x, int32_t y) = 0;
    // Sets the relative mouse back to the window centre.
    virtual void RecentreRelativeMouse() = 0;
    // The relative mouse's motion made until now is never read: a mode the motion drives (the stroke, a drag
    // of the view) begins with the motion after its key or button. Main thread, under the widget-tree lock.
    virtual void ForgetEarlierMotion() = 0;

    // Whether a key (a virtual-key code, the mouse buttons included) is down now; the state a key message shows
    // is already that of its key.
    virtual bool IsKeyDown(int virtualKey) const = 0;
    // Whether the application's window is the active one.
    virtual bool IsAppActive() const = 0;
    // Whether an edit box has the keyboard (the table's keys are then text).
    virtual bool IsTextInputFocused() const = 0;

    // The stroke reads the mouse without acceleration: the speed is saved, set to 0, 0, 0 and restored.
    virtual MouseSpeed GetMouseSpeed() const = 0;
    virtual void SetMouseSpeed(const MouseSpeed& speed) = 0;
};

}  // namespace kestrovan
