#include "client/scenes/common/OrbitPreview.h"

#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

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

bool OrbitPreview::OnMouse(uint32_t msg, WParam wParam, LParam lParam) {
    const int32_t x = platform::PointX(lParam);
    const int32_t y = platform::PointY(lParam);
    switch (msg) {
        case Msg::LButtonDown:
            dragging_ = draggable_ && GetRect().Contains(x, y);
            if (!dragging_) return false;
            lastMouseX_ = x;
            lastMouseY_ = y;
            return true;
        case Msg::MouseMove:
            if (dragging_) {
                WidgetToolkit::CheckTreeAccess("OrbitPreview::OnMouse");
                if (camera_) Drag(*camera_, x - lastMouseX_, y - lastMouseY_);
                lastMouseX_ = x;
                lastMouseY_ = y;
            }
            return false;
        case Msg::LButtonUp:
            dragging_ = false;
            return false;
        case Msg::MouseWheel:
            if (zoom_ && GetRect().Contains(x, y)) Zoom(platform::WheelDelta(wParam) > 0 ? kWheelStep : -kWheelStep);
            return false;
        default:
            return false;
    }
}

}  // namespace kestrovan
