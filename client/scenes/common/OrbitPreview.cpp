#include "client/scenes/common/OrbitPreview.h"

#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

OrbitPreview::OrbitPreview(bool draggable) : draggable_(draggable) {}

void OrbitPreview::Zoom(float step) {
    WidgetToolkit::CheckTreeAccess("OrbitPreview::Zoom");
    if (!camera_) return;
    camera_->SetDistance(LimitDistance(camera_->GetDistance() - step));
}

uint32_t OrbitPreview::Now() const {
    return clock_ ? clock_() : platform::TimeGetTime();
}

uint32_t OrbitPreview::TakeElapsed() {
    const uint32_t now = Now();
    const uint32_t elapsed = now - lastTick_;
    lastTick_ = now;
    return elapsed;
}

void OrbitPreview::SetState(int32_t state) {
    if (state != WidgetState::Pressed) dragging_ = false;
    Widget::SetState(state);
}

void OrbitPreview::StartDrag(int32_t x, int32_t y) {
    lastMouseX_ = x;
    lastMouseY_ = y;
    dragging_ = true;
    // Pressed, the routing keeps handing the preview the mouse until the drag lets go of it.
    SetState(WidgetState::Pressed);
}

void OrbitPreview::EndDrag() {
    dragging_ = false;
    if (GetState() == WidgetState::Pressed) SetState(WidgetState::Normal);
}

bool OrbitPreview::OnMouse(uint32_t msg, WParam wParam, LParam lParam) {
    const int32_t x = platform::PointX(lParam);
    const int32_t y = platform::PointY(lParam);
    switch (msg) {
        case Msg::LButtonDown:
            if (!draggable_ || !GetRect().Contains(x, y)) {
                EndDrag();
                return false;
            }
            StartDrag(x, y);
            return true;
        case Msg::MouseMove:
            if (!dragging_) return false;
            // A move without the left button: its release went elsewhere (a window opened over the drag).
            if ((static_cast<uint32_t>(wParam) & platform::MouseKey::LButton) == 0) {
                EndDrag();
                return false;
            }
            WidgetToolkit::CheckTreeAccess("OrbitPreview::OnMouse");
            if (camera_) Drag(*camera_, x - lastMouseX_, y - lastMouseY_);
            lastMouseX_ = x;
            lastMouseY_ = y;
            return true;
        case Msg::LButtonUp:
            if (!dragging_) return false;
            EndDrag();
            return true;
        case Msg::MouseWheel:
            if (zoom_ && camera_ && GetRect().Contains(x, y)) {
                Zoom(platform::WheelDelta(wParam) > 0 ? kWheelStep : -kWheelStep);
            }
            // A drag keeps the mouse whatever the wheel does meanwhile; otherwise the wheel goes on to what lies
            // beneath, which scrolls or zooms as it would without the preview.
            return dragging_;
        default:
            return false;
    }
}

}  // namespace kestrovan
