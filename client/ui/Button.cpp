#include "client/ui/Button.h"

#include <algorithm>
#include <array>
#include <memory>

#include "client/ui/TextLabel.h"
#include "client/ui/Tooltip.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/system/Clock.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

namespace {

// Frames by state (disabled, normal, hover, pressed).
constexpr std::array<int32_t, 4> kPlainFrames{3, 0, 1, 2};
constexpr std::array<int32_t, 4> kCheckedBoxFrames{7, 4, 5, 6};
constexpr int32_t kCheckedRadioFrame = 2;
constexpr int32_t kToggleFrameCount = 7;
constexpr int16_t kKeyDownBit = static_cast<int16_t>(0x8000);

}  // namespace

Button::Button() { SetKind(WidgetKind::Button); }

// --- State and frames ---------------------------------------------------------------------------------------

void Button::SetState(int32_t state) {
    if (state == WidgetState::Normal && GetState() != WidgetState::Normal && hovered_ && hoverEvents_) {
        OnEvent(this, kLeaveEvent, 0);
    }
    StoreState(state);
    WidgetToolkit& toolkit = WidgetToolkit::Get();
    if (state == WidgetState::Pressed && toolkit.GetTooltipOwner() == this) {
        toolkit.GetTooltip().Show(false);
    }
    ShowFrame(GetFrame());
}

int32_t Button::GetFrame() const {
    const auto state = static_cast<size_t>(std::clamp(GetState(), WidgetState::Disabled, WidgetState::Pressed));
    int32_t frame = kPlainFrames[state];
    if (IsCheckedRadio()) {
        frame = kCheckedRadioFrame;
    } else if (checkBox_ && checked_) {
        frame = kCheckedBoxFrames[state];
    }
    switch (frameCount_) {
        case 2:
            return frame == 1 || frame == 2 ? 1 : 0;
        case 3:
            return frame == 3 ? 0 : frame;
        default:
            return frameCount_ < 2 ? 0 : frame;
    }
}

void Button::ShowFrame(int32_t frame) {
    WidgetRect rect = GetSourceRect();
    if (horizontalFrames_) {
        rect.Offset(frame * rect.Width(), 0);
    } else {
        rect.Offset(0, frame * rect.Height());
    }
    SetFrameRect(rect);
}

void Button::SetRadio() {
    radio_ = true;
    checkBox_ = false;
    frameCount_ = kToggleFrameCount;
}

void Button::SetCheckBox() {
    radio_ = false;
    checkBox_ = true;
    frameCount_ = kToggleFrameCount;
}

// A disabled button keeps its disabled frame.
void Button::SetChecked(bool checked) {
    checked_ = checked;
    SetState(IsEnabled() ? WidgetState::Normal : WidgetState::Disabled);
}

// --- Caption ------------------------------------------------------------------------------------------------

void Button::AddLabel(const FontDesc* font, uint32_t alignment, uint32_t color, uint32_t color2, int32_t margin) {
    auto caption = std::make_unique<TextLabel>();
    caption->Create(-margin, 0, Width() + 2 * margin, Height(), -1, -1);
    caption->SetFontDesc(font);
    caption->SetAlignment(alignment);
    caption->SetColors(color, color2);
    caption_ = caption.get();
    AddChild(std::move(caption), true);
}

void Button::SetCaption(platform::WStringView text) {
    if (caption_ != nullptr) {
        caption_->SetText(text);
    }
}

void Button::SetCaptionAlignment(uint32_t flags) {
    if (caption_ != nullptr) {
        caption_->SetAlignment(flags);
    }
}

// --- Mouse --------------------------------------------------------------------------------------------------

bool Button::HitTest(int32_t x, int32_t y) const {
    const WidgetRect second = GetSecondRect();
    if (second.right == 0) {
        return GetRect().Contains(x, y);
    }
    const Widget* parent = GetParent();
    const WidgetRect origin = parent != nullptr ? parent->GetRect() : WidgetRect{};
    return second.Contains(x - origin.left, y - origin.top);
}

bool Button::OnMouse(uint32_t msg, WParam, LParam lParam) {
    const int32_t x = platform::PointX(lParam);
    const int32_t y = platform::PointY(lParam);
    if (!HitTest(x, y)) {
        return OnMouseOutside(msg);
    }
    switch (msg) {
        case Msg::MouseMove:
            return OnMouseMoveInside(x, y);
        case Msg::LButtonDown:
            return OnPress();
        case Msg::RButtonDown:
            return rightButton_ ? OnPress() : true;
        case Msg::LButtonUp:
            return OnRelease(x, y, false);
        case Msg::RButtonUp:
            return rightButton_ ? OnRelease(x, y, true) : true;
        case Msg::LButtonDblClk:
            return true;
        default:
            return false;
    }
}

bool Button::OnMouseOutside(uint32_t msg) {
    if (msg == Msg::MouseMove) {
        if (hoverEvents_ && hovered_ && (GetState() != WidgetState::Normal || checked_)) {
            OnEvent(this, kLeaveEvent, 0);
        }
        hovered_ = false;
        if (GetState() == WidgetState::Pressed) {
            return true;  // a pressed button keeps the mouse
        }
        if (!IsCheckedRadio()) {
            SetState(WidgetState::Normal);
        }
        return false;
    }
    const bool button = msg == Msg::LButtonDown || msg == Msg::LButtonUp ||
                        (rightButton_ && (msg == Msg::RButtonDown || msg == Msg::RButtonUp));
    if (button && GetState() != WidgetState::Disabled) {
        SetState(WidgetState::Normal);
    }
    return false;
}

bool Button::OnMouseMoveInside(int32_t x, int32_t y) {
    hovered_ = true;
    if (hoverEvents_ && GetState() == WidgetState::Normal) {
        OnEvent(this, kEnterEvent, 0);
    }
    if (IsCheckedRadio() || GetState() != WidgetState::Normal) {
        return true;
    }
    lastX_ = x;
    lastY_ = y;
    if (hoverSound_) {
        WidgetToolkit::Get().Services().PlaySound(kHoverSound);
    }
    SetState(WidgetState::Hover);
    return true;
}

bool Button::OnPress() {
    if (IsCheckedRadio()) {
        return false;
    }
    if (pressSound_) {
        WidgetToolkit::Get().Services().PlaySound(kPressSound);
    }
    SetState(WidgetState::Pressed);
    return true;
}

// A release inside clicks when the press began on this button; a second release soon after the first is a
// double click instead.
bool Button::OnRelease(int32_t x, int32_t y, bool right) {
    bool click = false;
    if (platform::TimeGetTime() - lastReleaseTime_ < kDoubleClickMs) {
        lastX_ = x;
        lastY_ = y;
        RaiseAtParent(kDoubleClickEvent, 0);
    } else {
        click = GetState() == WidgetState::Pressed;
    }
    lastReleaseTime_ = platform::TimeGetTime();
    if (checked_) {
        SetState(WidgetState::Normal);
        if (click) {
            Report(x, y, right);
        }
        if (radio_) {
            return true;
        }
    } else {
        SetState(WidgetState::Hover);
        if (click) {
            Report(x, y, right);
        }
        if (radio_) {
            SetState(WidgetState::Normal);
        }
    }
    if (checkBox_) {
        SetState(WidgetState::Normal);
    }
    return true;
}

void Button::Report(int32_t x, int32_t y, bool right) {
    if (checkBox_) {
        checked_ = !checked_.load();
    } else if (radio_) {
        checked_ = true;
    }
    lastX_ = x;
    lastY_ = y;
    RaiseAtParent(checked_ ? 1 : 0, right ? 1 : 0);
}

void Button::RaiseAtParent(int32_t a, int32_t b) {
    if (Widget* parent = GetParent()) {
        parent->OnEvent(this, a, b);
    }
}

// --- Keyboard -----------------------------------------------------------------------------------------------

bool Button::OnKey(uint32_t msg, WParam wParam, LParam) {
    if (msg == Msg::KeyDown) {
        if (GetState() == WidgetState::Pressed) {
            return true;
        }
        const bool hotKeyDown = (WidgetToolkit::Get().Services().GetKeyState(GetValue()) & kKeyDownBit) != 0;
        if (!hotKeyDown || !IsEnabled() || !IsVisible()) {
            return false;
        }
        if ((checkBox_ || radio_) && checked_) {
            return true;
        }
        SetState(WidgetState::Pressed);
        return true;
    }
    if (msg == Msg::KeyUp && static_cast<int64_t>(wParam) == GetValue() && GetState() == WidgetState::Pressed) {
        if (checkBox_) {
            checked_ = !checked_.load();
        } else if (radio_) {
            checked_ = true;
        }
        SetState(WidgetState::Normal);
        RaiseAtParent(0, 0);
        return true;
    }
    return false;
}

}  // namespace kestrovan
