#include "client/ui/Window.h"

#include <algorithm>

#include "client/ui/EditBridge.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace Msg = platform::Msg;

Window::Window() { SetKind(WidgetKind::Window); }

bool Window::OnMouse(uint32_t msg, WParam, LParam lParam) {
    const int32_t x = platform::PointX(lParam);
    const int32_t y = platform::PointY(lParam);
    if (GetState() == WidgetState::Pressed) {
        if (msg == Msg::MouseMove) {
            const Widget* parent = GetParent();
            const int32_t originX = parent != nullptr ? parent->GetRect().left : 0;
            const int32_t originY = parent != nullptr ? parent->GetRect().top : 0;
            SetPosition(x - grabX_ - originX, std::max(y - grabY_ - originY, kDragTopLimit));
            return true;
        }
        if (msg == Msg::LButtonUp) {
            SetState(WidgetState::Normal);
            return true;
        }
    }
    if (GetRect().Contains(x, y)) {
        if (msg == Msg::LButtonDown) {
            StartDrag(x, y);
        } else if (msg == Msg::LButtonUp) {
            SetState(WidgetState::Normal);
        }
        return true;
    }
    if (popup_ && (msg == Msg::LButtonDown || msg == Msg::RButtonDown)) {
        ClosePopup();
        return true;
    }
    return modal_;
}

// Closed without a choice: the input goes back to where it went before the popup opened.
void Window::ClosePopup() {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    toolkit.SetActiveWidget(nullptr);
    toolkit.SetExclusiveWidget(nullptr);
    SetVisible(false);
}

void Window::StartDrag(int32_t x, int32_t y) {
    const WidgetRect rect = GetRect();
    if (!draggable_ || popup_ || (useHandle_ && !dragHandle_.Contains(x - rect.left, y - rect.top))) {
        return;
    }
    SetState(WidgetState::Pressed);
    grabX_ = x - rect.left;
    grabY_ = y - rect.top;
}

// A popup closes on Escape as on a click outside it, at the key's release: the whole press is the popup's, so
// the dialog under it acts only on the next one.
bool Window::OnKey(uint32_t msg, WParam wParam, LParam) {
    if (popup_ && msg == Msg::KeyUp && wParam == platform::Vk::Escape) {
        ClosePopup();
    }
    return TakesEveryKey();
}

void Window::OnShow() {
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    if (popup_) {
        KeepOnScreen();
    } else {
        toolkit.SetMouseWidget(nullptr);
        if (EditBridge* bridge = toolkit.Services().GetEditBridge()) {
            bridge->ClearFocus();
        }
    }
    toolkit.SetActiveWidget(this);
}

void Window::KeepOnScreen() {
    const UiServices& services = WidgetToolkit::Get().Services();
    const WidgetRect rect = GetRect();
    const int32_t overRight = rect.right - (services.GetScreenWidth() - 1);
    const int32_t overBottom = rect.bottom - (services.GetScreenHeight() - 1);
    Offset(overRight > 0 ? -overRight : 0, overBottom > 0 ? -overBottom : 0);
}

void Window::SetVisible(bool visible) {
    if (!popup_ && visible != IsVisible()) {
        const uint32_t sound = visible ? openSound_ : closeSound_;
        if (sound != 0) {
            WidgetToolkit::Get().Services().PlaySound(sound);
        }
    }
    Widget::SetVisible(visible);
}

void Window::SetModal(bool modal) {
    modal_ = modal;
    if (modal && GetParent() != nullptr) {
        GetParent()->BringChildToFront(this);
    }
}

void Window::MakePopup() {
    modal_ = true;
    popup_ = true;
}

void Window::SetDragHandle(int32_t x, int32_t y, int32_t w, int32_t h) {
    dragHandle_ = WidgetRect::FromSize(x, y, w, h);
    useHandle_ = true;
}

void Window::SetSounds(uint32_t openId, uint32_t closeId) {
    openSound_ = openId;
    closeSound_ = closeId;
}

}  // namespace kestrovan
