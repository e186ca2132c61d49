#include "client/table/TableHud.h"

#include <algorithm>

#include "QuillLib/core/Format.h"
#include "QuillLib/core/ScopedLock.h"
#include "client/table/TruncateToInt.h"
#include "platform/system/Rand.h"

namespace kestrovan {
namespace {

using quill::ScopedLock;

constexpr int32_t kLeft = 1;
constexpr int32_t kRight = 2;
constexpr int32_t kTop = 3;
constexpr int32_t kBottom = 4;
constexpr int32_t kCentred = 5;
constexpr int32_t kVerticallyCentred = 6;

constexpr int32_t kBarBottom = 180;
constexpr int32_t kBarHeight = 120;
constexpr int32_t kPocketIconStep = 26;
constexpr int32_t kFirstPocketIconX = 16;
constexpr int32_t kWideScreen = 1280;

}  // namespace

TableHud::TableHud(std::function<int()> random) : random_(std::move(random)) {
    Build();
}

void TableHud::Add(Part part, int32_t parent, int32_t x, int32_t y, int32_t width, int32_t height, int32_t atlasX,
                   int32_t atlasY) {
    Element& element = elements_[part];
    element.parent = parent;
    element.x = x;
    element.y = y;
    element.width = width;
    element.height = height;
    element.source = {atlasX, atlasY, width, height};
}

void TableHud::AddText(Part part, int32_t parent, int32_t x, int32_t y, int32_t width, int32_t height,
                       int32_t fontStyle) {
    Element& element = elements_[part];
    element.parent = parent;
    element.x = x;
    element.y = y;
    element.width = width;
    element.height = height;
    element.isText = true;
    element.fontStyle = fontStyle;
}

void TableHud::Build() {
    Add(kPowerPanel, -1, 4, 255, 50, 200, 549, 70);
    elements_[kPowerPanel].anchor = {kLeft, 6, kBottom, -490};
    elements_[kPowerPanel].opacity = 0.5f;
    Add(kPowerBar, kPowerPanel, 3, 0, 44, 120, 599, 150);
    Add(kDeviationBar, kPowerPanel, 3, 0, 12, 240, 564, 487);
    AddText(kPowerLabel, kPowerPanel, 0, 202, 50, 20, 4);
    elements_[kPowerLabel].visible = false;

    Add(kCueBallPanel, -1, 4, 295, 42, 121, 480, 487);
    elements_[kCueBallPanel].anchor = {kCentred, 20, kVerticallyCentred, 0};
    elements_[kCueBallPanel].opacity = 0.7f;
    elements_[kCueBallPanel].visible = false;
    Add(kCueBallGauge, kCueBallPanel, 6, 0, 35, 80, 517, 487);
    Add(kCueBallMarker, kCueBallPanel, 0, 0, 35, 3, 480, 608);
    AddText(kCueBallValue, kCueBallPanel, 38, 0, 40, 18, 2);

    Add(kPocketStrip, -1, 0, 0, 396, 32, 596, 992);
    elements_[kPocketStrip].anchor = {kCentred, 0, kBottom, -52};
    for (int32_t i = 0; i < kPocketIconCount; ++i) {
        Add(static_cast<Part>(kFirstPocketIcon + i), kPocketStrip, kPocketIconStep * i, 0, 26, 26,
            602 + kPocketIconStep * i, 966);
    }

    Add(kOverlayPanel, -1, 2, 100, 82, 80, 352, 565);
    elements_[kOverlayPanel].anchor = {kCentred, 50, kBottom, -110};
    elements_[kOverlayPanel].opacity = 0.8f;
    elements_[kOverlayPanel].visible = false;
    Add(kOverlayBar, kOverlayPanel, 22, 49, 112, 10, 352, 555);
    elements_[kOverlayBar].pivotY = 5.0f;
    elements_[kOverlayBar].scaleX = 0.5f;
    elements_[kOverlayBar].scaleY = 0.5f;

    Add(kAimCursor, -1, 0, 0, 32, 32, 992, 992);
    elements_[kAimCursor].visible = false;
}

void TableHud::ApplyAnchor(Element& element) const {
    const Anchor& a = element.anchor;
    switch (a.horizontalMode) {
        case kLeft:
            element.x = a.horizontalOffset;
            break;
        case kRight:
            element.x = a.horizontalOffset + screenWidth_;
            break;
        case kCentred:
            element.x = (screenWidth_ - element.width) / 2 + a.horizontalOffset;
            break;
        default:
            break;
    }
    switch (a.verticalMode) {
        case kTop:
            element.y = a.verticalOffset;
            break;
        case kBottom:
            element.y = a.verticalOffset + screenHeight_;
            break;
        case kVerticallyCentred:
            element.y = (screenHeight_ - element.height) / 2 + a.verticalOffset;
            break;
        default:
            break;
    }
}

void TableHud::LayoutHud(int32_t width, int32_t height) {
    screenWidth_ = width;
    screenHeight_ = height;
    for (Element& element : elements_) {
        if (element.parent < 0) {
            ApplyAnchor(element);
        }
    }
    // The strip's rectangle is inclusive: right - left is one less than its width.
    Element& strip = elements_[kPocketStrip];
    strip.x = (width - (strip.width - 1)) / 2;
    strip.y = height - (strip.height - 1) - (width >= kWideScreen ? 10 : 0);
}

void TableHud::SetHudBottomOffset(int32_t offset) {
    elements_[kPowerPanel].anchor = {kLeft, 6, kBottom, offset};
    ApplyAnchor(elements_[kPowerPanel]);
}

void TableHud::Place(int32_t part, int32_t x, int32_t y) {
    if (part >= 0 && part < kPartCount) {
        elements_[part].x = x;
        elements_[part].y = y;
    }
}

void TableHud::SetText(int32_t part, quill::WString text) {
    if (part >= 0 && part < kPartCount) {
        elements_[part].text = std::move(text);
    }
}

void TableHud::SetRotation(int32_t part, float radians) {
    if (part >= 0 && part < kPartCount) {
        elements_[part].rotation = radians;
    }
}

void TableHud::Resize(int32_t part, int32_t width, int32_t height) {
    elements_[part].width = width;
    elements_[part].height = height;
}

void TableHud::SetVisible(int32_t part, bool visible) {
    if (part >= 0 && part < kPartCount) {
        elements_[part].visible = visible;
    }
}

int TableHud::Random() const {
    return random_ ? random_() : platform::Rand();
}

int32_t TableHud::PowerBarHeight(float p, bool tremble) const {
    if (!(p > 0.0f)) {
        return 0;
    }
    int32_t height = TruncateToInt32(p * 120.0f);
    const int32_t m = TruncateToInt32((p * 0.05f + 0.02f) * 200.0f);
    if (tremble && m > 0) {
        height = TruncateToInt32((static_cast<float>(Random() % m - m / 2) * 0.01f + p) * 120.0f);
    }
    // A tremble below an almost empty bar must not give it a negative height.
    return std::clamp(height, 0, kBarHeight);
}

void TableHud::UpdatePowerGauge(const PowerGaugeInputs& in) {
    const float p = in.shownPower;
    const int32_t bar = PowerBarHeight(p, in.powerDisplayMode == 0 && in.controlEnabled);
    Resize(kPowerBar, 44, bar);
    Place(kPowerBar, 3, kBarBottom - bar);

    int32_t deviation = 0;
    if (!in.strokeKeyHeld && !in.strokeFinishing) {
        deviation = std::max(TruncateToInt32((in.strokeDeviation + 1.0f) * p * 120.0f), 0);
    }
    Resize(kDeviationBar, 12, deviation);
    Place(kDeviationBar, 19, kBarBottom - deviation);

    const bool figures = in.powerDisplayMode == 1 || in.powerDisplayMode == 2 || in.showPowerFigures;
    if (in.aimFollowsCamera && figures) {
        UpdateCueBallPanel(in);
    }
}

void TableHud::UpdateCueBallPanel(const PowerGaugeInputs& in) {
    if (in.cueBall != nullptr) {
        Place(kCueBallPanel, TruncateToInt32(in.cueBall->screenX + 30.0f),
              TruncateToInt32(in.cueBall->screenY - 70.0f));
    }
    const float s = in.power;
    if (!(s > 0.0f)) {
        SetVisible(kCueBallMarker, false);
        SetVisible(kCueBallValue, false);
    } else {
        const int32_t level = TruncateToInt32(s * 100.0f);
        Place(kCueBallMarker, 8, 120 - level);
        SetVisible(kCueBallMarker, true);
        if (in.showPowerFigures) {
            Place(kCueBallValue, 44, 116 - level);
            elements_[kCueBallValue].text = quill::Format(u"%3.1f", s * 100.0f);
        }
    }
    const float p = in.shownPower;
    int32_t gauge = TruncateToInt32(p * 100.0f);
    const int32_t m = TruncateToInt32((p * 0.01f + 0.02f) * 200.0f);
    if (!in.showPowerFigures && m > 0) {
        gauge = TruncateToInt32((static_cast<float>(Random() % m - m / 2) * 0.01f + p) * 100.0f);
    }
    gauge = std::max(gauge, 0);
    Element& element = elements_[kCueBallGauge];
    element.source = {522, 607 - gauge, 42, gauge};
    Resize(kCueBallGauge, 42, gauge);
    Place(kCueBallGauge, 1, 122 - gauge);
}

void TableHud::SetAimCursor(TableHost* host, bool restore, bool warpBack, int32_t frame) {
    ScopedLock hold(cursorLock_);
    const platform::ThreadId caller = platform::CurrentThreadId();
    if (mainThreadId_ == platform::kNoThread) {
        mainThreadId_ = caller;
    }
    const bool onMainThread = caller == mainThreadId_;
    if (restore) {
        SetVisible(kAimCursor, false);
        if (!systemCursorShown_ && onMainThread && host != nullptr) {
            host->ShowCursor(true);
            host->SetMouseCapture(false);
            host->ClipCursorToWindow(false);
            systemCursorShown_ = true;
            if (warpBack) {
                host->SetCursorPosition(savedCursorX_, savedCursorY_);
            }
        }
        return;
    }
    int32_t x = 0;
    int32_t y = 0;
    if (host != nullptr) {
        host->GetCursorPosition(x, y);
        host->RecentreRelativeMouse();
        if (onMainThread && systemCursorShown_) {
            host->ShowCursor(false);
            savedCursorX_ = x;
            savedCursorY_ = y;
            host->SetMouseCapture(true);
            host->ClipCursorToWindow(true);
            systemCursorShown_ = false;
        }
    }
    Place(kAimCursor, x, y);
    elements_[kAimCursor].source = {992, (32 - frame) * 32, 32, 32};
    SetVisible(kAimCursor, true);
}

void TableHud::ShowPocketedBalls(std::span<const uint8_t> ballFlags) {
    int32_t shown = 0;
    for (int32_t icon = 0; icon < kPocketIconCount; ++icon) {
        const auto ball = static_cast<size_t>(icon) + 1;
        const bool onTable = ball < ballFlags.size() && ballFlags[ball] == 0;
        const int32_t part = kFirstPocketIcon + icon;
        SetVisible(part, onTable);
        if (onTable) {
            Place(part, kFirstPocketIconX + kPocketIconStep * shown, 3);
            ++shown;
        }
    }
}

bool TableHud::IsShown(int32_t part) const {
    for (int32_t p = part; p >= 0; p = elements_[p].parent) {
        if (!elements_[p].visible) {
            return false;
        }
    }
    return true;
}

HudRect TableHud::ScreenRect(int32_t part) const {
    HudRect rect{0, 0, elements_[part].width, elements_[part].height};
    for (int32_t p = part; p >= 0; p = elements_[p].parent) {
        rect.x += elements_[p].x;
        rect.y += elements_[p].y;
    }
    return rect;
}

void TableHud::Draw(HudDrawer& drawer) const {
    for (int32_t part = 0; part < kPartCount; ++part) {
        const Element& element = elements_[part];
        if (!IsShown(part)) {
            continue;
        }
        const HudRect target = ScreenRect(part);
        if (element.isText) {
            if (!element.text.empty()) {
                drawer.DrawText(element.text, target, element.fontStyle, element.opacity);
            }
        } else if (element.source.width > 0 && element.source.height > 0) {
            drawer.DrawImage({kAtlasTexture, element.source, target, element.opacity, element.scaleX, element.scaleY,
                              element.pivotX, element.pivotY, element.rotation});
        }
    }
}

}  // namespace kestrovan
