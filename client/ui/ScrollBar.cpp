#include "client/ui/ScrollBar.h"

#include <algorithm>
#include <cmath>

#include "client/ui/Button.h"
#include "client/ui/Image.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace kestrovan {

namespace Msg = platform::Msg;

namespace {

// A thumb shorter than this is not dragged by a press on the bar.
constexpr int32_t kMinDragThumb = 3;

// The wheel turned toward the user steps forward.
int32_t WheelStep(platform::WParam wParam) { return platform::WheelDelta(wParam) < 0 ? 1 : -1; }

}  // namespace

ScrollBar::ScrollBar() { SetKind(WidgetKind::ScrollBar); }

void ScrollBar::Create(int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t orientation, int32_t count,
                       bool withSprite) {
    SetRect(x, y, w, h);
    SetId(id);
    orientation_ = orientation;
    count_ = count;
    trackLength_ = IsVertical() ? h : w;
    drawsItself_ = withSprite;
    if (withSprite) {
        CreateSprite();
    }
}

int32_t ScrollBar::AlongLength(const Widget* part) const {
    if (part == nullptr) {
        return 0;
    }
    return IsVertical() ? part->Height() : part->Width();
}

void ScrollBar::AddDecButton(int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t value) {
    decButton_ = CreateButton(0, 0, w, h, kDecButtonId, value, GetTextureId(), srcX, srcY, w, h);
    trackLength_ -= AlongLength(decButton_);
}

void ScrollBar::AddIncButton(int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t value) {
    const int32_t x = IsVertical() ? 0 : Width() - w;
    const int32_t y = IsVertical() ? Height() - h : 0;
    incButton_ = CreateButton(x, y, w, h, kIncButtonId, value, GetTextureId(), srcX, srcY, w, h);
    trackLength_ -= AlongLength(incButton_);
}

void ScrollBar::AddThumb(int32_t srcX, int32_t srcY, int32_t w, int32_t h, int32_t cross) {
    const int32_t x = IsVertical() ? cross : AlongLength(decButton_);
    const int32_t y = IsVertical() ? AlongLength(decButton_) : cross;
    thumb_ = CreateImage(x, y, w, h, GetTextureId(), srcX, srcY, w, h);
    trackLength_ -= AlongLength(thumb_);
}

void ScrollBar::Dress(const ScrollBarArt& art) {
    SetImage(art.texture, art.track.x, art.track.y, art.track.w, art.track.h, 1.0f, 1.0f);
    AddDecButton(art.dec.x, art.dec.y, art.dec.w, art.dec.h, -1);
    AddIncButton(art.inc.x, art.inc.y, art.inc.w, art.inc.h, -1);
    if (art.thumb.w > 0) AddThumb(art.thumb.x, art.thumb.y, art.thumb.w, art.thumb.h, art.thumbCross);
}

ScrollBar* ScrollBar::AddTo(Widget& parent, const ScrollBarPlace& place, const ScrollBarArt& art) {
    auto bar = std::make_unique<ScrollBar>();
    bar->Create(place.x, place.y, place.w, place.h, place.id, place.orientation, place.count, place.withSprite);
    auto* added = static_cast<ScrollBar*>(parent.AddChild(std::move(bar), true));
    added->Dress(art);
    return added;
}

void ScrollBar::SetRange(int32_t count) {
    count_ = count;
    if (position_ > count_ - 1) {
        SetPosition(position_, false);
    }
}

void ScrollBar::SetPosition(int32_t position, bool notify) {
    position = std::max(0, std::min(position, count_ - 1));
    int32_t offset = 0;
    if (count_ > 1 && trackLength_ > 0) {
        offset = static_cast<int32_t>(
            std::lround(static_cast<float>(position) / static_cast<float>(count_ - 1) * static_cast<float>(trackLength_)));
    }
    MoveThumbBy(offset - thumbOffset_);
    thumbOffset_ = offset;
    const bool changed = position != position_;
    position_ = position;
    if (changed && notify) {
        Notify();
    }
}

void ScrollBar::MoveThumbBy(int32_t delta) {
    if (thumb_ != nullptr && delta != 0) {
        thumb_->Offset(IsVertical() ? 0 : delta, IsVertical() ? delta : 0);
    }
}

int32_t ScrollBar::ThumbStart() const {
    const WidgetRect rect = thumb_->GetRect();
    return IsVertical() ? rect.top : rect.left;
}

void ScrollBar::Notify() {
    if (Widget* parent = GetParent()) {
        parent->OnEvent(this, position_ + 1, 0);
    }
}

bool ScrollBar::OnEvent(Widget* source, int32_t, int32_t) {
    if (source != nullptr && source->GetId() == kDecButtonId) {
        SetPosition(position_ - 1, true);
    } else if (source != nullptr && source->GetId() == kIncButtonId) {
        SetPosition(position_ + 1, true);
    }
    return false;
}

void ScrollBar::SetThumbHover() {
    if (thumb_ != nullptr) {
        thumb_->SetState(WidgetState::Hover);
    }
    SetState(WidgetState::Hover);
}

// A full track (the thumb fills the bar) has no positions to drag between: the position stays at 0.
void ScrollBar::DragThumbTo(int32_t x, int32_t y) {
    if (thumb_ == nullptr) {
        return;
    }
    const WidgetRect bar = GetRect();
    const int32_t barStart = IsVertical() ? bar.top : bar.left;
    const int32_t barEnd = IsVertical() ? bar.bottom : bar.right;
    const int32_t dec = AlongLength(decButton_);
    const int32_t inc = AlongLength(incButton_);
    const int32_t thumb = AlongLength(thumb_);
    const int32_t lowest = barStart + dec;
    const int32_t highest = std::max(lowest, barEnd - (thumb - 1) - inc);
    const int32_t start = std::clamp((IsVertical() ? y : x) - thumb / 2, lowest, highest);
    MoveThumbBy(start - ThumbStart());
    thumbOffset_ = start - barStart - dec;
    SetState(WidgetState::Pressed);
    int32_t position = 0;
    if (trackLength_ > 0) {
        const float along = static_cast<float>(thumbOffset_) / static_cast<float>(trackLength_) *
                            static_cast<float>(std::max(count_ - 1, 0));
        position = IsVertical() ? static_cast<int32_t>(std::lround(along)) : static_cast<int32_t>(along);
    }
    if (position != position_) {
        position_ = position;
        Notify();
    }
}

// --- Mouse --------------------------------------------------------------------------------------------------

bool ScrollBar::OnMouse(uint32_t msg, WParam wParam, LParam lParam) {
    const int32_t x = platform::PointX(lParam);
    const int32_t y = platform::PointY(lParam);
    const bool inside = thumb_ != nullptr && GetRect().Contains(x, y);
    if (msg < Msg::MouseMove || msg > Msg::MouseWheel) {
        return inside;
    }
    return inside ? OnMouseInside(msg, wParam, x, y) : OnMouseOutside(msg, wParam, x, y);
}

bool ScrollBar::OnMouseInside(uint32_t msg, WParam wParam, int32_t x, int32_t y) {
    switch (msg) {
        case Msg::MouseMove:
            if (GetState() == WidgetState::Normal) {
                SetThumbHover();
            } else if (GetState() == WidgetState::Pressed) {
                DragThumbTo(x, y);
            }
            return true;
        case Msg::LButtonDown:
            if (AlongLength(thumb_) >= kMinDragThumb) {
                DragThumbTo(x, y);
            }
            return true;
        case Msg::LButtonUp:
            SetState(WidgetState::Hover);
            return true;
        case Msg::MouseWheel:
            // At an end the bar lets the wheel pass on.
            return StepByWheel(wParam);
        default:
            return true;
    }
}

bool ScrollBar::OnMouseOutside(uint32_t msg, WParam wParam, int32_t x, int32_t y) {
    switch (msg) {
        case Msg::MouseMove:
            if (GetState() != WidgetState::Pressed) {
                return false;
            }
            DragThumbTo(x, y);
            return true;
        case Msg::LButtonDown:
        case Msg::LButtonUp:
            SetState(WidgetState::Normal);
            return false;
        case Msg::MouseWheel:
            if (!InWheelArea(x, y)) {
                return false;
            }
            // Over the list the wheel is swallowed even at an end.
            StepByWheel(wParam);
            return true;
        default:
            return false;
    }
}

bool ScrollBar::StepByWheel(WParam wParam) {
    const int32_t step = WheelStep(wParam);
    if ((position_ == 0 && step < 0) || (position_ == count_ - 1 && step > 0)) {
        return false;
    }
    SetPosition(position_ + step, true);
    return true;
}

bool ScrollBar::InWheelArea(int32_t x, int32_t y) const {
    const WidgetRect second = GetSecondRect();
    if (second.right > 0) {
        const Widget* parent = GetParent();
        const WidgetRect origin = parent != nullptr ? parent->GetRect() : WidgetRect{};
        return second.Contains(x - origin.left, y - origin.top);
    }
    return GetRect().Contains(x, y);
}

}  // namespace kestrovan
