#pragma once
// The cursor operations of the application: show or hide the cursor (only when the wanted state differs
// from the remembered one), confine it to the window, capture the mouse, post the last cursor position again
// so hover states are evaluated anew, and choose the cursor's shape. Any thread may call them; the window
// layer carries the change out on the main thread.
#include <atomic>
#include <cstdint>

#include "platform/window/Message.h"

namespace platform {
class Window;
}  // namespace platform

namespace kestrovan {

class AppCursor {
public:
    explicit AppCursor(platform::Window& window);

    // Registers the program's two cursors (normal and pen) with the window. The main thread, once.
    void LoadCursors();

    void ShowCursor(bool show);
    // Confines the cursor to the window rectangle less 30 pixels at the top and 10 at the right and bottom.
    void ClipCursorToWindow(bool on);
    void SetMouseCapture(bool on);
    void RepostMouseMove();
    // A cursor resource (129, 130) or a system cursor.
    void SetCursor(uint32_t cursorId);

    // The window procedure stores the position of every mouse move it routes.
    void StorePosition(platform::LParam lParam) { lastPosition_ = lParam; }
    platform::LParam LastPosition() const { return lastPosition_; }

private:
    platform::Window& window_;
    std::atomic<bool> shown_{true};
    std::atomic<platform::LParam> lastPosition_{0};
};

}  // namespace kestrovan
